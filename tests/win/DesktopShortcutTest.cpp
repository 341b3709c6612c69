// The desktop shortcut as the shell reads it back: its target and
// description, one file however often it is made, and nothing written when
// a path is too long or the desktop folder cannot be found.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>

#include "Drive.h"
#include "settings/DesktopShortcut.h"

namespace {

const wchar_t kShellFolders[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int CountFiles(const std::wstring& pattern) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(pattern.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do ++n;
    while (FindNextFileW(find, &found));
    FindClose(find);
    return n;
}

// Points the user's desktop folder elsewhere for the test's duration.
class DesktopOverride {
public:
    explicit DesktopOverride(const std::wstring& folder) {
        DWORD size = sizeof m_old;
        m_had = RegGetValueW(HKEY_CURRENT_USER, kShellFolders, L"Desktop", RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                             nullptr, m_old, &size) == ERROR_SUCCESS;
        Set(folder.c_str());
    }
    ~DesktopOverride() {
        if (m_had)
            Set(m_old);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kShellFolders, L"Desktop");
    }
    DesktopOverride(const DesktopOverride&) = delete;
    DesktopOverride& operator=(const DesktopOverride&) = delete;

private:
    static void Set(const wchar_t* folder) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolders, L"Desktop", REG_EXPAND_SZ, folder,
                        static_cast<DWORD>((wcslen(folder) + 1) * sizeof(wchar_t)));
    }
    bool m_had = false;
    wchar_t m_old[MAX_PATH] = {};
};

}  // namespace

class DesktopShortcutTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_desktop = DesktopFolder();
        ASSERT_TRUE(Exists(m_desktop)) << "no desktop folder";
        m_link = m_desktop + L"\\Quilmar.LNK";
        DeleteFileW(m_link.c_str());
        m_temp = MakeTempDir();
    }
    void TearDown() override {
        DeleteFileW(m_link.c_str());
        RemoveTree(m_temp);
    }

    // A program folder under the test's own folder, ending in a backslash.
    std::wstring ProgramFolder(const std::wstring& name) {
        const std::wstring dir = m_temp + L"\\" + name;
        CreateDirectoryW(dir.c_str(), nullptr);
        WriteFileBytes(dir + L"\\quilmar.exe", "MZ");
        return dir + L"\\";
    }

    std::wstring m_desktop, m_link, m_temp;
};

TEST_F(DesktopShortcutTest, LinkStartsQuilmarFromTheProgramFolderAndIsRewrittenInPlace) {
    const std::wstring first = ProgramFolder(L"first");
    ASSERT_TRUE(CreateDesktopShortcut(first));
    ShellLink link;
    ASSERT_TRUE(ReadShellLink(m_link, link));
    EXPECT_EQ(link.target, first + L"quilmar.exe");
    EXPECT_EQ(link.path, first + L"quilmar.exe");
    EXPECT_EQ(link.description, L"Quilmar");
    EXPECT_EQ(link.arguments, L"");
    EXPECT_EQ(link.workingDir, L"");
    EXPECT_EQ(link.icon, L"");

    const std::wstring second = ProgramFolder(L"second");
    ASSERT_TRUE(CreateDesktopShortcut(second));
    EXPECT_EQ(CountFiles(m_desktop + L"\\Quilmar*"), 1);
    ASSERT_TRUE(ReadShellLink(m_link, link));
    EXPECT_EQ(link.target, second + L"quilmar.exe");
}

TEST_F(DesktopShortcutTest, FoldersOutsideTheAnsiCodePageKeepTheirNames) {
    // Letters no ANSI code page holds together.
    const std::wstring program = ProgramFolder(L"\u0E01\u05D0\u4E2D app");
    const std::wstring desktop = m_temp + L"\\\u684C\u9762\u0E02";
    CreateDirectoryW(desktop.c_str(), nullptr);
    {
        DesktopOverride override(desktop);
        ASSERT_TRUE(CreateDesktopShortcut(program));
    }
    ShellLink link;
    ASSERT_TRUE(ReadShellLink(desktop + L"\\Quilmar.LNK", link));
    // Wine keeps only an ANSI copy of the path in the link's location block
    // (what GetPath reports there); the item list holds the real names.
    EXPECT_EQ(link.target, program + L"quilmar.exe");
    EXPECT_EQ(link.description, L"Quilmar");
}

TEST_F(DesktopShortcutTest, PathsTooLongForTheShellWriteNothing) {
    // Folders of 249 characters: the target and link paths come to 261.
    const auto folder249 = [&](wchar_t letter) {
        const std::wstring dir = m_temp + L"\\" + std::wstring(248 - m_temp.size(), letter);
        EXPECT_TRUE(CreateDirectoryW((L"\\\\?\\" + dir).c_str(), nullptr));
        return dir;
    };
    const std::wstring longProgram = folder249(L'p');
    ASSERT_EQ(longProgram.size(), 249u);
    EXPECT_FALSE(CreateDesktopShortcut(longProgram + L"\\"));
    EXPECT_FALSE(Exists(m_link));

    const std::wstring longDesktop = folder249(L'd');
    {
        DesktopOverride desktop(longDesktop);
        ASSERT_EQ(DesktopFolder(), longDesktop);
        EXPECT_FALSE(CreateDesktopShortcut(ProgramFolder(L"app")));
    }
    EXPECT_EQ(CountFiles(longDesktop + L"\\*"), 2);  // "." and ".." alone
    EXPECT_FALSE(Exists(m_link));
}

TEST_F(DesktopShortcutTest, UnknownDesktopFolderWritesNothing) {
    const std::wstring missing = m_temp + L"\\no-desktop";
    {
        DesktopOverride desktop(missing);
        EXPECT_FALSE(CreateDesktopShortcut(ProgramFolder(L"app")));
    }
    EXPECT_FALSE(Exists(missing));
    EXPECT_FALSE(Exists(m_link));
}

TEST_F(DesktopShortcutTest, CallerKeepsItsOwnComApartment) {
    const std::wstring program = ProgramFolder(L"app");
    HRESULT again = E_FAIL;
    bool saved = false;
    std::thread([&] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        saved = CreateDesktopShortcut(program);
        // Still initialised: a second call only counts up.
        again = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        CoUninitialize();
        CoUninitialize();
    }).join();
    EXPECT_TRUE(saved);
    EXPECT_EQ(again, S_FALSE);
}
