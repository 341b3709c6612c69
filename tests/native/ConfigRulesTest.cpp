#include <gtest/gtest.h>

#include "app/BackgroundMode.h"
#include "app/ConfigRules.h"
#include "app/PasswordText.h"
#include "res/resource.h"

TEST(ConfigRules, DefaultFileIsFourCrLfLinesOf58Bytes) {
    EXPECT_EQ(DefaultConfigText(), "[user]\r\nbgmode=1\r\nbdisablescreensafe=1\r\nballowshutdown=0\r\n");
    EXPECT_EQ(DefaultConfigText().size(), 58u);
    const LockOptions defaults = DefaultOptions();
    EXPECT_EQ(defaults.bgMode, L"1");
    EXPECT_TRUE(defaults.holdOff);
    EXPECT_FALSE(defaults.allowShutdown);
}

TEST(ConfigRules, OnlyTheExactTextOneSwitchesAFlagOn) {
    EXPECT_TRUE(IsFlagOn(L"1"));
    for (const wchar_t* off : {L"0", L"", L"2", L"yes", L"true", L" 1", L"1 ", L"01", L"11"})
        EXPECT_FALSE(IsFlagOn(off)) << off;
    EXPECT_STREQ(FlagText(true), L"1");
    EXPECT_STREQ(FlagText(false), L"0");
}

TEST(BackgroundMode, TextIsReadLikeAtoi) {
    EXPECT_EQ(BgModeNumber(L"2"), 2);
    EXPECT_EQ(BgModeNumber(L"03"), 3);
    EXPECT_EQ(BgModeNumber(L"2abc"), 2);
    EXPECT_EQ(BgModeNumber(L"  \t1"), 1);
    EXPECT_EQ(BgModeNumber(L"+3"), 3);
    EXPECT_EQ(BgModeNumber(L"-1"), -1);
    EXPECT_EQ(BgModeNumber(L""), 0);
    EXPECT_EQ(BgModeNumber(L"abc"), 0);
    EXPECT_EQ(BgModeNumber(L"- 2"), 0);
    // A hand-edited file may hold any number of digits: no overflow.
    EXPECT_EQ(BgModeNumber(std::wstring(300, L'7')), 2147483647);
    EXPECT_EQ(BgModeNumber(L"-99999999999999999999"), -2147483647 - 1);
}

TEST(ConfigRules, DirectoryKeepsItsSeparator) {
    EXPECT_EQ(DirectoryOf(L"C:\\tools\\quilmar.exe"), L"C:\\tools\\");
    EXPECT_EQ(DirectoryOf(L"E:\\quilmar.exe"), L"E:\\");
    EXPECT_EQ(DirectoryOf(L"\\\\server\\share\\q.exe"), L"\\\\server\\share\\");
    EXPECT_EQ(DirectoryOf(L"D:q.exe"), L"D:");
    EXPECT_EQ(DirectoryOf(L"q.exe"), L"");
}

TEST(BackgroundMode, AlphaAndDigitColourOfEachMode) {
    EXPECT_EQ(BackgroundStyleFor(0).alpha, 255);
    EXPECT_EQ(BackgroundStyleFor(1).alpha, 180);
    EXPECT_EQ(BackgroundStyleFor(2).alpha, 60);
    EXPECT_EQ(BackgroundStyleFor(3).alpha, 1);
    for (int mode : {-1, 4, 7, 2147483647}) EXPECT_EQ(BackgroundStyleFor(mode).alpha, 180) << mode;
    for (int mode : {-1, 0, 1, 3, 7}) EXPECT_FALSE(BackgroundStyleFor(mode).whiteDigits) << mode;
    EXPECT_TRUE(BackgroundStyleFor(2).whiteDigits);
    // Painting tells the mode by its text, not by its number.
    EXPECT_TRUE(PaintsOnScreen(L"3"));
    for (const wchar_t* text : {L"03", L"3 ", L"2", L""}) EXPECT_FALSE(PaintsOnScreen(text)) << text;
}

TEST(BackgroundMode, EachModeHasItsRadioButtonAndOthersNone) {
    for (int mode = 0; mode <= 3; ++mode) {
        EXPECT_EQ(ModeButtonFor(mode), IDC_MODE_FIRST + mode);
        EXPECT_EQ(ModeTextFor(ModeButtonFor(mode)), std::to_wstring(mode));
    }
    for (int mode : {-1, 4, 7, 2147483647}) EXPECT_EQ(ModeButtonFor(mode), 0) << mode;
}

TEST(PasswordText, TrimsOnlySurroundingWhiteSpace) {
    EXPECT_EQ(TrimWhiteSpace(L"abc "), L"abc");
    EXPECT_EQ(TrimWhiteSpace(L" abc"), L"abc");
    EXPECT_EQ(TrimWhiteSpace(L"\t\r\n\v\f a b \t"), L"a b");
    EXPECT_EQ(TrimWhiteSpace(L"   "), L"");
    EXPECT_EQ(TrimWhiteSpace(L""), L"");
    // Letters outside any code page stay exactly as typed.
    EXPECT_EQ(TrimWhiteSpace(L" 密码Ωж "), L"密码Ωж");
    EXPECT_NE(TrimWhiteSpace(L"密码"), TrimWhiteSpace(L"??"));
}

TEST(PasswordText, OnlyTheExactPasswordUnlocksAndNoPasswordNothing) {
    EXPECT_TRUE(Unlocks(L"Pw密", L"Pw密"));
    EXPECT_FALSE(Unlocks(L"pw密", L"Pw密"));
    // Escape before the settings are accepted shows the prompt while there
    // is no password yet: an empty entry must not end the lock.
    EXPECT_FALSE(Unlocks(L"", L""));
    EXPECT_FALSE(Unlocks(L"x", L""));
}

TEST(PasswordText, WipeOverwritesTheCharacters) {
    std::wstring secret = L"hunter2";
    const wchar_t* chars = secret.data();
    WipeText(secret);
    EXPECT_TRUE(secret.empty());
    for (int i = 0; i < 7; ++i) EXPECT_EQ(chars[i], L'\0');
}
