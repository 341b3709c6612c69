#pragma once
// A lock run from a fresh folder, with the system state checked before and
// put right after.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Drive.h"
#include "res/resource.h"

class LockFixture : public ::testing::Test {
protected:
    void SetUp() override {
        // The taskbar must be there before the lock looks for it.
        ASSERT_TRUE(WaitForTaskbar()) << "no taskbar window";
        DeletePolicyValues();
        DeleteRunOnceCommands();
        m_folder = MakeTempDir();
        m_locker = std::make_unique<Locker>(m_folder);
    }

    void TearDown() override {
        m_locker.reset();
        RemoveTree(m_folder);
        DeletePolicyValues();
        DeleteRunOnceCommands();
        EnableWindow(Taskbar(), TRUE);
    }

    Locker& locker() { return *m_locker; }

    // Starts the program and returns its lock window.
    HWND StartLock() {
        EXPECT_TRUE(locker().Start());
        HWND lock = locker().WaitForLockWindow();
        EXPECT_NE(lock, nullptr) << "no lock window";
        return lock;
    }

    HWND WaitForSettings() { return locker().WaitForDialog(IDC_CONFIRM); }
    HWND WaitForPrompt() { return locker().WaitForDialog(IDC_SHUTDOWN); }

    // Starts a lock and accepts its settings with the given password.
    HWND StartAcceptedLock(const std::wstring& password) {
        HWND lock = StartLock();
        EXPECT_TRUE(AcceptSettings(WaitForSettings(), password));
        return lock;
    }

    // The message box `owner` shows, its text checked and its caption
    // empty; null when none came.
    HWND ExpectMessageBox(HWND owner, const std::wstring& text) {
        HWND box = locker().WaitForMessageBox(owner);
        if (box) {
            wchar_t shown[256] = {};
            GetDlgItemTextW(box, 0xFFFF, shown, 256);
            EXPECT_EQ(std::wstring(shown), text);
            EXPECT_EQ(WindowText(box), L"");
        }
        return box;
    }

    // Both policy values were absent before the lock. The watchdog, with
    // nothing to give back, ends with the lock. A failure names the first
    // thing not given back.
    ::testing::AssertionResult RestoredAfterExit() {
        if (!locker().WaitForExit())
            return ::testing::AssertionFailure() << "the lock still running (pid " << locker().ProcessId() << ")";
        for (const wchar_t* name : {L"DisableTaskMgr", L"DisableLockWorkstation"}) {
            if (PolicyValueSet(name)) return ::testing::AssertionFailure() << name << " still set";
        }
        if (!IsWindowEnabled(Taskbar())) return ::testing::AssertionFailure() << "taskbar still disabled";
        if (::testing::AssertionResult none = NoRestoreCommands(); !none) return none;
        if (!locker().WaitForWatchdogExit())
            return ::testing::AssertionFailure() << "watchdog still running (pid " << locker().WatchdogId() << ")";
        return ::testing::AssertionSuccess();
    }

    static ::testing::AssertionResult NoRestoreCommands() {
        for (const wchar_t* name : {L"DisableTaskMgr", L"DisableLockWorkstation"}) {
            const std::wstring command = RunOnceCommand(name);
            if (!command.empty())
                return ::testing::AssertionFailure() << "RunOnce still holds " << name << ": " << command;
        }
        return ::testing::AssertionSuccess();
    }

    std::wstring m_folder;
    std::unique_ptr<Locker> m_locker;
};
