#include <gtest/gtest.h>

#include "app/config/BackgroundMode.h"
#include "app/config/ConfigRules.h"
#include "app/lock/FailedAttempts.h"
#include "app/dialogs/PasswordText.h"
#include "res/resource.h"

TEST(ConfigRules, DefaultFileIsFourCrLfLinesOf58Bytes) {
    EXPECT_EQ(DefaultConfigText(), "[user]\r\nbgmode=1\r\nbdisablescreensafe=1\r\nballowshutdown=0\r\n");
    EXPECT_EQ(DefaultConfigText().size(), 58u);
    const LockOptions defaults = DefaultOptions();
    EXPECT_EQ(defaults.bgMode, L"1");
    EXPECT_TRUE(defaults.holdOff);
    EXPECT_FALSE(defaults.allowShutdown);
    EXPECT_EQ(defaults.message, L"");
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

namespace {
// A character beyond the Basic Multilingual Plane, as Windows holds it.
const std::wstring kPair = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
}  // namespace

TEST(ConfigRules, MessageIsCutAtEightyCharacters) {
    const std::wstring chinese80(80, L'留');
    EXPECT_EQ(CutMessage(chinese80), chinese80);
    EXPECT_EQ(CutMessage(chinese80 + L"言x"), chinese80);
    EXPECT_EQ(CutMessage(L""), L"");
    // A pair counts once and is never split.
    EXPECT_EQ(CutMessage(std::wstring(79, L'a') + kPair + L"b"), std::wstring(79, L'a') + kPair);
    EXPECT_EQ(CutMessage(std::wstring(80, L'a') + kPair), std::wstring(80, L'a'));
    EXPECT_EQ(CutMessage(std::wstring(79, L'a') + kPair.substr(0, 1) + L"bc"),
              std::wstring(79, L'a') + kPair.substr(0, 1));
}

TEST(ConfigRules, MessageIsRefusedWhenTheFileCannotHoldItOrItIsTooLong) {
    EXPECT_EQ(MessageRefusal(L"", true), nullptr);
    EXPECT_EQ(MessageRefusal(std::wstring(80, L'留'), true), nullptr);
    EXPECT_EQ(MessageRefusal(std::wstring(79, L'a') + kPair, true), nullptr);
    EXPECT_STREQ(MessageRefusal(std::wstring(81, L'留'), true), L"锁屏留言不能超过 80 个字符！");
    EXPECT_STREQ(MessageRefusal(std::wstring(80, L'a') + kPair, true), L"锁屏留言不能超过 80 个字符！");
    // Whatever its length, a text that would not come back is refused for that.
    EXPECT_STREQ(MessageRefusal(L"a", false), L"锁屏留言中有无法保存的字符！");
    EXPECT_STREQ(MessageRefusal(std::wstring(81, L'a'), false), L"锁屏留言中有无法保存的字符！");
}

TEST(ConfigRules, MessageInLikeQuotesIsQuotedOnceMore) {
    EXPECT_EQ(MessageValue(L"午饭，14:00 回来"), L"午饭，14:00 回来");
    EXPECT_EQ(MessageValue(L"\"back soon\""), L"\"\"back soon\"\"");
    EXPECT_EQ(MessageValue(L"'back soon'"), L"\"'back soon'\"");
    for (const wchar_t* plain : {L"", L"\"", L"'", L"\"back'", L"'back\"", L"\"back", L"a \"b\" c"})
        EXPECT_EQ(MessageValue(plain), plain) << plain;
}

TEST(FailedAttempts, ReportCountsThemAndTellsTheLastTime) {
    FailedAttempts attempts;
    EXPECT_EQ(FailedAttemptsReport(attempts), L"");
    attempts.Add(9, 3, 7);
    EXPECT_EQ(FailedAttemptsReport(attempts), L"锁定期间有 1 次输入了错误的密码，最近一次在 09:03:07。");
    attempts.Add(14, 5, 31);
    EXPECT_EQ(FailedAttemptsReport(attempts), L"锁定期间有 2 次输入了错误的密码，最近一次在 14:05:31。");
    for (int i = 0; i < 10; ++i) attempts.Add(0, 0, 0);
    EXPECT_EQ(FailedAttemptsReport(attempts), L"锁定期间有 12 次输入了错误的密码，最近一次在 00:00:00。");
    attempts.Add(23, 59, 59);
    EXPECT_EQ(FailedAttemptsReport(attempts), L"锁定期间有 13 次输入了错误的密码，最近一次在 23:59:59。");
}
