// A lock that dies must not leave the desktop locked down, nor open: a crash
// in any thread or an abort gives everything back on the way out, a kill no
// handler sees is undone by the lock's watchdog, and either hands the
// session to Windows' own lock. When the watchdog dies too, the commands
// left in RunOnce and the next run put the policy values back.
#include <optional>
#include <tuple>

#include "LockFixture.h"

class CrashTest : public LockFixture {
protected:
    void SetUp() override {
        LockFixture::SetUp();
        locker().TraceWindowsLock();
        // The hold-off has something to take away.
        SetScreenSaverActive(true);
        ASSERT_TRUE(ScreenSaverActive());
    }

    // Starts a thread in the locker at `start`; the thread's fault is the
    // crash. The watchdog is out of the way: what comes back after it, the
    // dying lock gave back itself.
    void CrashAt(LPTHREAD_START_ROUTINE start) {
        locker().KillWatchdog();
        HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, locker().ProcessId());
        ASSERT_NE(process, nullptr);
        HANDLE thread = CreateRemoteThread(process, nullptr, 0, start, nullptr, 0, nullptr);
        EXPECT_NE(thread, nullptr);
        if (thread) CloseHandle(thread);
        CloseHandle(process);
    }

    void ExpectEverythingBack() {
        EXPECT_TRUE(locker().WaitForExit()) << "the crashed lock is still running";
        EXPECT_FALSE(PolicyValueSet(L"DisableTaskMgr"));
        EXPECT_FALSE(PolicyValueSet(L"DisableLockWorkstation"));
        EXPECT_TRUE(IsWindowEnabled(Taskbar()));
        EXPECT_TRUE(ScreenSaverActive());
        EXPECT_TRUE(NoRestoreCommands());
        EXPECT_TRUE(locker().HandedToWindowsLock());
    }

    // Everything taken comes back within the time the watchdog is given,
    // and the session is handed to Windows' lock.
    void ExpectEverythingBackFromTheWatchdog() {
        EXPECT_TRUE(WaitFor(
            [] {
                return std::make_tuple(PolicyDword(L"DisableTaskMgr"), PolicyDword(L"DisableLockWorkstation"),
                                       IsWindowEnabled(Taskbar()) != FALSE, ScreenSaverActive(), NoRestoreCommands());
            },
            Is(std::make_tuple(std::optional<DWORD>(0), std::optional<DWORD>(), true, true, true)), 3000));
        EXPECT_TRUE(WaitFor([&] { return locker().HandedToWindowsLock(); }, 3000));
        EXPECT_TRUE(locker().WaitForWatchdogExit());
    }
};

TEST_F(CrashTest, AccessViolationInAnyThreadGivesEverythingBack) {
    KeyProbe probe;
    HWND lock = StartAcceptedLock(L"pw");  // hold-off on: screensaver off, workstation lock barred
    ASSERT_NE(lock, nullptr);
    ASSERT_TRUE(WaitFor([] { return PolicyValueSet(L"DisableLockWorkstation"); }, Is(true)));
    ASSERT_TRUE(WaitFor([] { return !ScreenSaverActive(); }, Is(true)));
    CrashAt(nullptr);  // a jump to address 0
    ExpectEverythingBack();
    PressKeys({VK_MENU, VK_TAB});
    ASSERT_TRUE(probe.Sync());
    EXPECT_TRUE(probe.SawKeyDown(VK_TAB));
}

TEST_F(CrashTest, AbortGivesEverythingBack) {
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    ASSERT_TRUE(WaitFor([] { return PolicyValueSet(L"DisableLockWorkstation"); }, Is(true)));
    // The runtime DLL sits at the same place in every process of the session.
    auto abortRoutine = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"msvcrt.dll"), "abort")));
    ASSERT_NE(abortRoutine, nullptr);
    CrashAt(abortRoutine);
    ExpectEverythingBack();
}

TEST_F(CrashTest, AKillByForceIsUndoneByTheWatchdogAtOnce) {
    SetPolicyValue(L"DisableTaskMgr", 0);
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    ASSERT_TRUE(WaitFor([] { return PolicyValueSet(L"DisableLockWorkstation"); }, Is(true)));
    ASSERT_TRUE(WaitFor([] { return !ScreenSaverActive(); }, Is(true)));
    ASSERT_NE(locker().Watchdog(), nullptr);
    EXPECT_FALSE(RunOnceCommand(L"DisableTaskMgr").empty());
    locker().Kill();
    ExpectEverythingBackFromTheWatchdog();
}

// Whoever ends every process of the program's name and the lock's whole
// process tree, youngest first, still leaves the watchdog running.
TEST_F(CrashTest, AKillByNameOrOfTheProcessTreeIsUndoneByTheWatchdog) {
    SetPolicyValue(L"DisableTaskMgr", 0);
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    ASSERT_TRUE(WaitFor([] { return PolicyValueSet(L"DisableLockWorkstation"); }, Is(true)));
    ASSERT_NE(locker().Watchdog(), nullptr);
    locker().KillDescendants();
    EXPECT_EQ(RunCommand(L"taskkill.exe /f /im quilmar.exe"), 0u);
    EXPECT_TRUE(locker().WaitForExit());
    ExpectEverythingBackFromTheWatchdog();
}

// Only the password and a cancelled start end a lock without Windows' own
// lock taking over.
TEST_F(CrashTest, NeitherTheRightPasswordNorACancelledStartHandsOverToWindowsLock) {
    ASSERT_TRUE(locker().Start());
    HWND settings = WaitForSettings();
    ASSERT_NE(settings, nullptr);
    ClickWindow(GetDlgItem(settings, IDC_CANCEL));
    EXPECT_TRUE(RestoredAfterExit());
    EXPECT_FALSE(locker().HandedToWindowsLock());

    m_locker = std::make_unique<Locker>(m_folder);
    locker().TraceWindowsLock();
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    ASSERT_TRUE(Unlock(lock, L"pw"));
    EXPECT_TRUE(RestoredAfterExit());
    EXPECT_FALSE(locker().HandedToWindowsLock());
}

// As a power cut leaves it: the lock and its watchdog both gone at once.
TEST_F(CrashTest, WithoutTheWatchdogRunOnceAndTheNextRunPutThePolicyValuesBack) {
    SetPolicyValue(L"DisableTaskMgr", 0);
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    ASSERT_TRUE(WaitFor([] { return PolicyValueSet(L"DisableLockWorkstation"); }, Is(true)));
    const std::wstring taskManager = RunOnceCommand(L"DisableTaskMgr");
    const std::wstring lockWorkstation = RunOnceCommand(L"DisableLockWorkstation");
    locker().KillWatchdog();
    locker().Kill();
    ASSERT_TRUE(PolicyValueSet(L"DisableTaskMgr"));
    ASSERT_TRUE(PolicyValueSet(L"DisableLockWorkstation"));

    // The next run does not take the 1s left behind for what was there.
    Locker next(m_folder);
    ASSERT_TRUE(next.Start());
    ASSERT_NE(next.WaitForLockWindow(), nullptr);
    HWND settings = next.WaitForDialog(IDC_CONFIRM);
    ASSERT_NE(settings, nullptr);
    ClickWindow(GetDlgItem(settings, IDC_CANCEL));
    EXPECT_TRUE(next.WaitForExit());
    EXPECT_EQ(PolicyDword(L"DisableTaskMgr"), 0u);
    EXPECT_FALSE(PolicyDword(L"DisableLockWorkstation"));
    EXPECT_TRUE(IsWindowEnabled(Taskbar()));
    EXPECT_TRUE(NoRestoreCommands());

    // What the next logon would run does the same.
    SetPolicyValue(L"DisableTaskMgr");
    SetPolicyValue(L"DisableLockWorkstation");
    EXPECT_EQ(RunCommand(taskManager), 0u) << taskManager;
    EXPECT_EQ(RunCommand(lockWorkstation), 0u) << lockWorkstation;
    EXPECT_EQ(PolicyDword(L"DisableTaskMgr"), 0u);
    EXPECT_FALSE(PolicyDword(L"DisableLockWorkstation"));
}
