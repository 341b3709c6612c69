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
        m_folder = MakeTempDir();
        m_locker = std::make_unique<Locker>(m_folder);
    }

    void TearDown() override {
        m_locker.reset();
        RemoveTree(m_folder);
        DeletePolicyValues();
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

    // Types the password into both boxes of the settings dialog, presses OK
    // and waits until the lock has taken the settings over.
    void AcceptSettings(HWND settings, const std::wstring& password) {
        HWND lock = GetWindow(settings, GW_OWNER);
        ASSERT_TRUE(BringToFront(settings));
        for (int box : {IDC_PASSWORD, IDC_CONFIRM}) {
            ClickWindow(GetDlgItem(settings, box));
            ASSERT_TRUE(WaitFor([&] { return locker().FocusWindow() == GetDlgItem(settings, box); }));
            TypeText(password);
        }
        ClickWindow(GetDlgItem(settings, IDC_OK));
        ASSERT_TRUE(WaitFor([settings] { return !IsWindow(settings); })) << "settings still open";
        // The lock writes the options, starts the clock and the hold-off
        // before its thread answers anything again.
        ASSERT_TRUE(SendMessageTimeoutW(lock, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr));
    }

    // Starts a lock and accepts its settings with the given password.
    HWND StartAcceptedLock(const std::wstring& password) {
        HWND lock = StartLock();
        HWND settings = WaitForSettings();
        EXPECT_NE(settings, nullptr) << "no settings dialog";
        if (settings) AcceptSettings(settings, password);
        return lock;
    }

    // Escape on the lock window, and the prompt with the focus in its box.
    HWND ShowPrompt(HWND lock) {
        EXPECT_TRUE(BringToFront(lock));
        PressKey(VK_ESCAPE);
        HWND prompt = WaitForPrompt();
        EXPECT_NE(prompt, nullptr) << "no unlock prompt";
        if (prompt) {
            EXPECT_TRUE(WaitFor([&] { return locker().FocusWindow() == GetDlgItem(prompt, IDC_UNLOCK_PASSWORD); }));
        }
        return prompt;
    }

    // Types the password into the prompt and presses Enter.
    void Unlock(HWND lock, const std::wstring& password) {
        ASSERT_NE(ShowPrompt(lock), nullptr);
        TypeText(password);
        PressKey(VK_RETURN);
    }

    bool RestoredAfterExit() {
        return locker().WaitForExit() && !PolicyValueSet(L"DisableTaskMgr") &&
               !PolicyValueSet(L"DisableLockWorkstation") && IsWindowEnabled(Taskbar());
    }

    std::wstring m_folder;
    std::unique_ptr<Locker> m_locker;
};
