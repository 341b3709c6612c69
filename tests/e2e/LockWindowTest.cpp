// The lock itself: what starting the program does to the screen, the files
// and the system, and that closing the lock window gives everything back.
#include <tuple>

#include "LockFixture.h"

namespace {

const char kDefaultConfig[] = "[user]\r\nbgmode=1\r\nbdisablescreensafe=1\r\nballowshutdown=0\r\n";

RECT ClientRectOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int CheckedModeButton(HWND settings) {
    for (int id = IDC_MODE_FIRST; id <= IDC_MODE_LAST; ++id)
        if (SendMessageW(GetDlgItem(settings, id), BM_GETCHECK, 0, 0) == BST_CHECKED) return id;
    return 0;
}

}  // namespace

using LockWindowTest = LockFixture;

TEST_F(LockWindowTest, CoversTheScreenAndLocksDownUntilUnlocked) {
    // The taskbar of a second monitor, there before the lock and one that
    // comes while locked (a restarted shell makes them anew).
    const ForeignWindow secondTaskbar(L"Shell_SecondaryTrayWnd", false);
    HWND lock = StartLock();
    ASSERT_NE(lock, nullptr);

    EXPECT_EQ(ReadFileBytes(locker().ConfigPath()), kDefaultConfig);
    EXPECT_EQ(sizeof kDefaultConfig - 1, 58u);

    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    RECT r;
    GetWindowRect(lock, &r);
    EXPECT_EQ(r.left, -1);
    EXPECT_EQ(r.top, -1);
    EXPECT_EQ(r.right - r.left, cx + 2);
    EXPECT_EQ(r.bottom - r.top, cy + 2);
    EXPECT_TRUE(GetWindowLongW(lock, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongW(lock, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(lock, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 180);
    EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));

    const RECT clock = ClientRectOf(GetDlgItem(lock, IDC_TIME));
    EXPECT_EQ(clock.left, cx / 4);
    EXPECT_EQ(clock.top, static_cast<int>(cy * 0.6));
    EXPECT_EQ(clock.right - clock.left, cx / 2);
    EXPECT_EQ(clock.bottom - clock.top, cy / 2);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(lock, IDC_LOCK)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(lock, IDC_UNLOCK)));

    EXPECT_TRUE(PolicyValueSet(L"DisableTaskMgr"));
    EXPECT_FALSE(IsWindowEnabled(Taskbar()));
    EXPECT_FALSE(IsWindowEnabled(secondTaskbar.Window()));
    const ForeignWindow laterTaskbar(L"Shell_SecondaryTrayWnd", false);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(laterTaskbar.Window()); }, Is(true), 1500));

    // The settings are asked for once, on the first timer tick.
    HWND settings = WaitForSettings();
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(AcceptSettings(settings, L"pw"));
    ASSERT_TRUE(Unlock(lock, L"pw"));
    EXPECT_TRUE(RestoredAfterExit());
    EXPECT_TRUE(IsWindowEnabled(secondTaskbar.Window()));
    EXPECT_TRUE(IsWindowEnabled(laterTaskbar.Window()));
}

TEST_F(LockWindowTest, DisplayChangeCoversTheScreensAgain) {
    HWND lock = StartLock();
    ASSERT_NE(lock, nullptr);
    HWND clock = GetDlgItem(lock, IDC_TIME);
    const RECT before = ClientRectOf(clock);
    SetWindowPos(lock, nullptr, 100, 100, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(clock, nullptr, 0, 0, 10, 10, SWP_NOZORDER | SWP_NOACTIVATE);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    SendMessageW(lock, WM_DISPLAYCHANGE, 32, MAKELPARAM(cx, cy));
    RECT r;
    GetWindowRect(lock, &r);
    EXPECT_EQ(r.left, -1);
    EXPECT_EQ(r.top, -1);
    EXPECT_EQ(r.right, cx + 1);
    EXPECT_EQ(r.bottom, cy + 1);
    const RECT after = ClientRectOf(clock);
    EXPECT_EQ(after, before);
}

TEST_F(LockWindowTest, NoKeyCloseRequestOrSystemCommandEndsOrMovesTheLock) {
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    RECT cover;
    GetWindowRect(lock, &cover);
    ASSERT_TRUE(BringToFront(lock));
    // The keyboard hook swallows Alt+F4, Alt+Space and F10 before the lock
    // sees them; Enter and a tap of Alt reach it.
    PressKey(VK_RETURN);
    PressKeys({VK_MENU, VK_F4});
    // Each way to the system menu, then its Close, or its Move and the arrows.
    PressKeys({VK_MENU, VK_SPACE});
    PressKey('C');
    PressKey(VK_F10);
    PressKey(VK_DOWN);
    PressKey('C');
    PressKey(VK_MENU);
    PressKey(VK_DOWN);
    PressKey('C');
    PressKeys({VK_MENU, VK_SPACE});
    PressKey('M');
    PressKey(VK_LEFT);
    PressKey(VK_RETURN);
    for (WPARAM command : {SC_CLOSE, SC_MINIMIZE, SC_MOVE, SC_SIZE})
        PostMessageW(lock, WM_SYSCOMMAND, command, 0);
    PostMessageW(lock, WM_CLOSE, 0, 0);
    PostMessageW(lock, WM_COMMAND, IDCANCEL, 0);
    PostMessageW(lock, WM_COMMAND, IDOK, 0);
    // Escape after them shows the prompt: by then all of them were handled.
    PressKey(VK_ESCAPE);
    ASSERT_NE(WaitForPrompt(), nullptr);
    EXPECT_TRUE(locker().Running());
    EXPECT_TRUE(PolicyValueSet(L"DisableTaskMgr"));
    RECT now;
    GetWindowRect(lock, &now);
    EXPECT_EQ(now, cover);
    EXPECT_FALSE(IsIconic(lock));
    EXPECT_FALSE(GetWindowLongW(lock, GWL_STYLE) & WS_SYSMENU);
}

// Another program can post or send the lock any message; none of them may
// end it, uncover it or lower a guard.
TEST_F(LockWindowTest, NoMessageFromAnotherProgramEndsOrDisarmsTheLock) {
    KeyProbe probe;
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    PostMessageW(lock, WM_TIMER, 1, 0);  // the settings' tick again
    PostMessageW(lock, WM_COMMAND, IDC_UNLOCK, 0);
    PostMessageW(lock, WM_QUIT, 0, 0);
    PostThreadMessageW(locker().ThreadId(), WM_QUIT, 0, 0);
    PostMessageW(lock, WM_ENDSESSION, TRUE, 0);
    for (UINT message : {WM_DESTROY, WM_NCDESTROY}) {
        PostMessageW(lock, message, 0, 0);
        SendMessageTimeoutW(lock, message, 0, 0, SMTO_NORMAL, 10000, nullptr);
    }
    SendMessageTimeoutW(lock, WM_INITDIALOG, 0, 0x1234, SMTO_NORMAL, 10000, nullptr);
    // Escape after them shows the prompt: by then all of them were handled.
    HWND prompt = nullptr;
    ASSERT_TRUE(ShowPrompt(lock, &prompt));
    EXPECT_EQ(locker().WaitForDialog(IDC_CONFIRM, 500), nullptr) << "the settings came again";
    EXPECT_TRUE(PolicyValueSet(L"DisableTaskMgr"));
    EXPECT_TRUE(PolicyValueSet(L"DisableLockWorkstation"));
    EXPECT_FALSE(IsWindowEnabled(Taskbar()));
    PressKeys({VK_MENU, VK_TAB});
    ASSERT_TRUE(probe.Sync());
    EXPECT_FALSE(probe.SawKeyDown(VK_TAB));
    // The lock still ends the one way it ends, and gives everything back.
    ASSERT_TRUE(Unlock(lock, L"pw"));
    EXPECT_TRUE(RestoredAfterExit());
}

// An installer or update asks running programs to close through the
// session's end messages; the lock refuses. Any program can send those
// messages: only a real end of the session (the system says so, which Wine
// never does) gives anything back, so a sent one lowers nothing.
TEST_F(LockWindowTest, AnUpdatesCloseRequestIsRefusedAndASentEndOfTheSessionLowersNothing) {
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    ASSERT_TRUE(WaitFor([] { return PolicyValueSet(L"DisableLockWorkstation"); }, Is(true)));
    DWORD_PTR answer = 1;
    ASSERT_TRUE(SendMessageTimeoutW(lock, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 10000, &answer));
    EXPECT_EQ(answer, 0u);
    for (LPARAM reason : {LPARAM(ENDSESSION_CLOSEAPP), LPARAM(0), LPARAM(ENDSESSION_LOGOFF)}) {
        ASSERT_TRUE(SendMessageTimeoutW(lock, WM_QUERYENDSESSION, 0, reason, SMTO_NORMAL, 10000, nullptr));
        ASSERT_TRUE(SendMessageTimeoutW(lock, WM_ENDSESSION, TRUE, reason, SMTO_NORMAL, 10000, nullptr));
        EXPECT_TRUE(PolicyValueSet(L"DisableTaskMgr")) << reason;
        EXPECT_TRUE(PolicyValueSet(L"DisableLockWorkstation")) << reason;
        EXPECT_FALSE(IsWindowEnabled(Taskbar())) << reason;
    }
    ASSERT_TRUE(Unlock(lock, L"pw"));
    EXPECT_TRUE(RestoredAfterExit());
}

TEST_F(LockWindowTest, TaskSwitchingKeysAreSwallowedOnlyWhileLocked) {
    KeyProbe probe;
    HWND lock = StartLock();
    ASSERT_NE(lock, nullptr);
    // Pressed while the lock is still busy starting up, a key may be judged
    // by a modifier state Wine cached before the modifier went down; once
    // the settings dialog is in front the lock keeps up with the keys.
    HWND settings = WaitForSettings();
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(BringToFront(settings));
    ASSERT_TRUE(WaitForKeysTo(GetDlgItem(settings, IDC_PASSWORD)));
    PressKeys({VK_MENU, VK_TAB});
    PressKeys({VK_MENU, VK_ESCAPE});
    PressKeys({VK_CONTROL, VK_ESCAPE});
    PressKey(VK_LWIN);
    PressKey(VK_RWIN);
    ASSERT_TRUE(probe.Sync());
    // The probe sees what is let through.
    EXPECT_TRUE(probe.SawKeyDown(VK_MENU) || probe.SawKeyDown(VK_LMENU));
    EXPECT_FALSE(probe.SawKeyDown(VK_TAB));
    EXPECT_FALSE(probe.SawKeyDown(VK_ESCAPE));
    EXPECT_FALSE(probe.SawKeyDown(VK_LWIN));
    EXPECT_FALSE(probe.SawKeyDown(VK_RWIN));

    PostMessageW(settings, WM_CLOSE, 0, 0);  // the settings' close is a cancel
    ASSERT_TRUE(RestoredAfterExit());

    probe.Clear();
    PressKeys({VK_MENU, VK_TAB});
    ASSERT_TRUE(probe.Sync());
    EXPECT_TRUE(probe.SawKeyDown(VK_TAB));
}

TEST_F(LockWindowTest, OtherProgramsHotKeysFireOnlyOnceUnlocked) {
    ForeignWindow program(L"QuilmarHotKeys", false);
    const int ctrlAltK = program.AddHotKey(MOD_CONTROL | MOD_ALT, 'K');
    const int f9 = program.AddHotKey(0, VK_F9);
    ASSERT_GE(ctrlAltK, 0);
    ASSERT_GE(f9, 0);
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    ASSERT_TRUE(ShowPrompt(lock));
    PressKeys({VK_CONTROL, VK_MENU, 'K'});
    PressKey(VK_F9);
    // Had either typed into the box, the password would be wrong now.
    ASSERT_TRUE(Unlock(lock, L"pw"));
    ASSERT_TRUE(RestoredAfterExit());
    // Unlocked, both fire; a press while locked would have been counted first.
    PressKeys({VK_CONTROL, VK_MENU, 'K'});
    PressKey(VK_F9);
    EXPECT_TRUE(WaitFor([&] { return std::make_tuple(program.HotKeys(ctrlAltK), program.HotKeys(f9)); },
                        Is(std::make_tuple(1, 1))));
}

TEST_F(LockWindowTest, LocksWithDefaultsWhenConfigCannotBeCreated) {
    ASSERT_TRUE(CreateDirectoryW(locker().ConfigPath().c_str(), nullptr));
    HWND lock = StartLock();
    ASSERT_NE(lock, nullptr);
    EXPECT_TRUE(PolicyValueSet(L"DisableTaskMgr"));
    HWND settings = WaitForSettings();
    ASSERT_NE(settings, nullptr);
    // The defaults: mode 1, hold-off on, shutdown off.
    EXPECT_EQ(CheckedModeButton(settings), IDC_MODE_FIRST + 1);
    EXPECT_EQ(SendMessageW(GetDlgItem(settings, IDC_HOLD_OFF), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(GetDlgItem(settings, IDC_ALLOW_SHUTDOWN), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ClickWindow(GetDlgItem(settings, IDC_CANCEL));
    EXPECT_TRUE(RestoredAfterExit());
}

TEST_F(LockWindowTest, OverlongAndBinaryValuesStillLock) {
    const std::string config = "[user]\r\nbgmode=" + std::string(300, '7') +
                               "\r\nbdisablescreensafe=\x01\xff\xfe\x80\r\nballowshutdown=" +
                               std::string(300, '1') + "\r\n";
    WriteFileBytes(locker().ConfigPath(), config);
    HWND lock = StartLock();
    ASSERT_NE(lock, nullptr);
    HWND settings = WaitForSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(CheckedModeButton(settings), 0);  // no button stands for that mode
    EXPECT_EQ(SendMessageW(GetDlgItem(settings, IDC_HOLD_OFF), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(GetDlgItem(settings, IDC_ALLOW_SHUTDOWN), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ClickWindow(GetDlgItem(settings, IDC_CANCEL));
    EXPECT_TRUE(RestoredAfterExit());
    EXPECT_EQ(ReadFileBytes(locker().ConfigPath()), config);
}

TEST_F(LockWindowTest, PolicyValuesSetBeforeTheLockAreThereAgainAfterIt) {
    SetPolicyValue(L"DisableTaskMgr", 0);
    SetPolicyValue(L"DisableLockWorkstation", 2);
    HWND lock = StartAcceptedLock(L"pw");  // hold-off on
    ASSERT_NE(lock, nullptr);
    ASSERT_TRUE(WaitFor([] { return PolicyValueSet(L"DisableLockWorkstation"); }, Is(true)));
    EXPECT_TRUE(PolicyValueSet(L"DisableTaskMgr"));
    // Locking again while locked finds the lock's own 1: not what to put back.
    SendMessageW(lock, WM_COMMAND, MAKEWPARAM(IDC_LOCK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(lock, IDC_LOCK)));
    ASSERT_TRUE(Unlock(lock, L"pw"));
    EXPECT_TRUE(locker().WaitForExit());
    EXPECT_EQ(PolicyDword(L"DisableTaskMgr"), 0u);
    EXPECT_EQ(PolicyDword(L"DisableLockWorkstation"), 2u);
    EXPECT_TRUE(NoRestoreCommands());
}
