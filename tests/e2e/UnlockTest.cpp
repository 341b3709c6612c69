// The unlock prompt: Escape on the lock window shows it, the right password
// ends the lock, a wrong one is refused and kept.
#include "LockFixture.h"

namespace {

void PutOnClipboard(const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

int SecondOfTheDay(const SYSTEMTIME& t) {
    return t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
}

SYSTEMTIME LocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

// The report of `count` refused entries, the last one at a second from
// `first` to `last`, as the owner would read it.
bool IsReport(const std::wstring& text, int count, const SYSTEMTIME& first, const SYSTEMTIME& last) {
    for (int s = SecondOfTheDay(first);; s = (s + 1) % 86400) {
        wchar_t expected[128];
        swprintf(expected, 128, L"锁定期间有 %d 次输入了错误的密码，最近一次在 %02d:%02d:%02d。", count, s / 3600,
                 s / 60 % 60, s % 60);
        if (text == expected) return true;
        if (s == SecondOfTheDay(last)) return false;
    }
}

}  // namespace

using UnlockTest = LockFixture;

TEST_F(UnlockTest, RightPasswordWithSpacesAroundEndsTheLock) {
    HWND lock = StartAcceptedLock(L"Pass Word");
    ASSERT_NE(lock, nullptr);
    HWND prompt = nullptr;
    ASSERT_TRUE(ShowPrompt(lock, &prompt));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(prompt, IDC_SHUTDOWN)));  // shutdown not allowed
    // A password left on the clipboard does not get into the box: only what
    // is typed counts.
    PutOnClipboard(L"Pass Word");
    PressKeys({VK_CONTROL, 'V'});
    PressKeys({VK_SHIFT, VK_INSERT});
    TypeText(L"  Pass Word \t");
    PressKey(VK_RETURN);
    EXPECT_TRUE(RestoredAfterExit());
}

// A second start while locked (a double click that registered twice, a
// scheduled lock) ends at once and changes nothing: no window, no file, no
// registry value. The first still takes the password from the keyboard.
TEST_F(UnlockTest, ASecondCopyEndsAtOnceAndTheFirstStillUnlocks) {
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    const std::wstring restoreCommand = RunOnceCommand(L"DisableTaskMgr");
    Locker second(m_folder + L"\\second");
    ASSERT_TRUE(second.Start());
    EXPECT_TRUE(second.WaitForExit(10000));
    EXPECT_EQ(GetFileAttributesW(second.ConfigPath().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(PolicyValueSet(L"DisableTaskMgr"));
    EXPECT_EQ(RunOnceCommand(L"DisableTaskMgr"), restoreCommand);
    ASSERT_TRUE(Unlock(lock, L"pw"));
    EXPECT_TRUE(RestoredAfterExit());
}

// The entries refused while locked are counted, and the owner is told of
// them after the unlock, at the desktop given back.
TEST_F(UnlockTest, WrongPasswordIsRefusedAndStaysInTheBox) {
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    HWND prompt = nullptr;
    ASSERT_TRUE(ShowPrompt(lock, &prompt));
    TypeText(L"PW");
    PressKey(VK_RETURN);
    HWND box = ExpectMessageBox(prompt, L"解锁密码错误！\n\n* 区分大小写");
    ASSERT_NE(box, nullptr);
    // The box runs a loop of the system's, which knows nothing of the
    // lock's: messages only the system sends, posted by another program
    // meanwhile, still reach neither the lock nor the box.
    for (UINT message : {WM_DESTROY, WM_NCDESTROY, WM_ENDSESSION}) PostMessageW(lock, message, TRUE, 0);
    PostMessageW(box, WM_INITDIALOG, 0, 0x1234);
    // A click on the black screen meanwhile gives the keyboard back to the
    // box, not to the lock window; Escape then only dismisses the box.
    MovePointer({10, 10});
    LeftButton(true);
    LeftButton(false);
    ASSERT_TRUE(WaitForKeysTo(GetDlgItem(box, IDOK)));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([box] { return !IsWindow(box); }, Is(true)));
    EXPECT_TRUE(WaitForKeysTo(GetDlgItem(prompt, IDC_UNLOCK_PASSWORD)));
    EXPECT_EQ(TextLength(GetDlgItem(prompt, IDC_UNLOCK_PASSWORD)), 2);

    // Escape hides the prompt; the next Escape on the lock window brings it
    // back with the text still there.
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([prompt] { return !IsWindowVisible(prompt); }, Is(true)));
    HWND again = nullptr;
    ASSERT_TRUE(ShowPrompt(lock, &again));
    ASSERT_EQ(again, prompt);
    EXPECT_EQ(TextLength(GetDlgItem(prompt, IDC_UNLOCK_PASSWORD)), 2);
    EXPECT_TRUE(locker().Running());
    EXPECT_TRUE(PolicyValueSet(L"DisableTaskMgr"));

    const std::string config = ReadFileBytes(locker().ConfigPath());
    const SYSTEMTIME before = LocalNow();
    PressKey(VK_RETURN);
    box = ExpectMessageBox(prompt, L"解锁密码错误！\n\n* 区分大小写");
    ASSERT_NE(box, nullptr);
    const SYSTEMTIME after = LocalNow();
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([box] { return !IsWindow(box); }, Is(true)));
    ASSERT_TRUE(WaitForKeysTo(GetDlgItem(prompt, IDC_UNLOCK_PASSWORD)));
    PressKey(VK_BACK);
    PressKey(VK_BACK);
    TypeText(L"pw");
    PressKey(VK_RETURN);
    // The report comes up once everything is given back and the cover is
    // gone, in front with no window of the lock left to own it.
    HWND report = locker().WaitForMessageBox(nullptr);
    ASSERT_NE(report, nullptr) << "no report of the wrong entries";
    EXPECT_FALSE(IsWindow(lock));
    EXPECT_FALSE(PolicyValueSet(L"DisableTaskMgr"));
    EXPECT_TRUE(IsWindowEnabled(Taskbar()));
    EXPECT_TRUE(WaitFor(GetForegroundWindow, Is(report)));
    wchar_t text[256] = {};
    GetDlgItemTextW(report, 0xFFFF, text, 256);
    EXPECT_TRUE(IsReport(text, 2, before, after)) << "the report says: " << Describe(std::wstring(text));
    EXPECT_EQ(WindowText(report), L"");
    EXPECT_TRUE(locker().Running());
    // The program ends with the box, and wrote nothing of it.
    PressKey(VK_RETURN);
    EXPECT_TRUE(RestoredAfterExit());
    EXPECT_EQ(ReadFileBytes(locker().ConfigPath()), config);
}

TEST_F(UnlockTest, ShutdownButtonIsShownWhenAllowed) {
    WriteFileBytes(locker().ConfigPath(), "[user]\r\nbgmode=1\r\nbdisablescreensafe=0\r\nballowshutdown=1\r\n");
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    HWND prompt = nullptr;
    ASSERT_TRUE(ShowPrompt(lock, &prompt));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(prompt, IDC_SHUTDOWN)));
}

TEST_F(UnlockTest, PromptOpenedBeforeTheSettingsTakesThePasswordSetThere) {
    HWND lock = StartLock();
    ASSERT_NE(lock, nullptr);
    // Escape within the first moments, before the settings dialog comes up.
    ASSERT_TRUE(BringToFront(lock));
    PressKey(VK_ESCAPE);
    HWND prompt = WaitForPrompt();
    ASSERT_NE(prompt, nullptr);
    HWND settings = WaitForSettings();
    ASSERT_NE(settings, nullptr);
    // With all three of the lock's windows up, a launch key (mail, browser,
    // calculator) is answered by each of them, so it starts nothing.
    for (HWND window : {lock, prompt, settings}) {
        DWORD_PTR answer = FALSE;
        ASSERT_TRUE(SendMessageTimeoutW(window, WM_APPCOMMAND, reinterpret_cast<WPARAM>(window),
                                        MAKELPARAM(0, FAPPCOMMAND_KEY | APPCOMMAND_LAUNCH_MAIL), SMTO_NORMAL,
                                        10000, &answer));
        EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << Describe(window);
    }
    ASSERT_TRUE(AcceptSettings(settings, L"a password long enough to need new memory"));
    // The prompt stayed open; used without another Escape, it compares with
    // the password just set.
    ASSERT_TRUE(IsWindowVisible(prompt));
    ASSERT_TRUE(BringToFront(prompt));
    ASSERT_TRUE(TypeInto(prompt, IDC_UNLOCK_PASSWORD, L"a password long enough to need new memory"));
    ClickWindow(GetDlgItem(prompt, IDC_OK));
    EXPECT_TRUE(RestoredAfterExit());
}
