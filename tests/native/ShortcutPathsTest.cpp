// Where the desktop shortcut points and where it goes, and the paths too
// long for the shell's calls.
#include <gtest/gtest.h>

#include "settings/ShortcutPaths.h"

TEST(ShortcutPaths, TargetIsQuilmarInTheProgramFolderAndLinkIsOnTheDesktop) {
    const auto paths = MakeShortcutPaths(L"E:\\tools\\", L"D:\\Users\\x\\Desktop");
    ASSERT_TRUE(paths);
    EXPECT_EQ(paths->target, L"E:\\tools\\quilmar.exe");
    EXPECT_EQ(paths->link, L"D:\\Users\\x\\Desktop\\Quilmar.LNK");
}

TEST(ShortcutPaths, UnknownDesktopGivesNoPaths) {
    EXPECT_FALSE(MakeShortcutPaths(L"E:\\tools\\", L""));
}

TEST(ShortcutPaths, PathsMustLeaveRoomForTheTerminator) {
    const std::wstring desktop = L"C:\\d";
    // "quilmar.exe" is 11 characters: a folder of 248 makes 259, the most.
    const std::wstring longest = L"C:\\" + std::wstring(244, L'a') + L"\\";
    ASSERT_EQ(longest.size(), 248u);
    EXPECT_TRUE(MakeShortcutPaths(longest, desktop));
    EXPECT_FALSE(MakeShortcutPaths(L"C:\\" + std::wstring(245, L'a') + L"\\", desktop));

    // "\Quilmar.LNK" is 12 characters: a desktop of 247 makes 259.
    const std::wstring deepest = L"C:\\" + std::wstring(244, L'd');
    ASSERT_EQ(deepest.size(), 247u);
    EXPECT_TRUE(MakeShortcutPaths(L"C:\\", deepest));
    EXPECT_FALSE(MakeShortcutPaths(L"C:\\", deepest + L"d"));
}
