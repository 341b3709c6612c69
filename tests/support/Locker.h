#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/ScopedHandles.h"

// One run of quilmar.exe from a folder of its own. Closes the program when
// it goes out of scope if it is still running, and ends its watchdog.
class Locker {
public:
    // Copies the program into `folder` (made when missing).
    explicit Locker(std::wstring folder);
    ~Locker();
    Locker(const Locker&) = delete;
    Locker& operator=(const Locker&) = delete;

    // A failure tells the system's error.
    ::testing::AssertionResult Start();
    // The lock window, once it is up and layered; null on time-out.
    HWND WaitForLockWindow();
    // A visible top-level window of this process built from the given
    // dialog template, found by one of its control ids; null on time-out.
    HWND WaitForDialog(int controlId, DWORD timeoutMs = 30000);
    // The visible message box owned by `owner`; null on time-out.
    HWND WaitForMessageBox(HWND owner, DWORD timeoutMs = 30000);
    bool WaitForExit(DWORD timeoutMs = 30000);
    bool Running() const;
    DWORD ProcessId() const { return m_info.dwProcessId; }
    DWORD ThreadId() const { return m_info.dwThreadId; }
    // The window with the keyboard focus in the program's thread.
    HWND FocusWindow() const;
    // Tells the program the Windows session ends, as logging off would, and
    // then ends the process: only the password ends a lock by itself, and
    // what it had taken comes back through its watchdog.
    void Close();
    // Ends the process at once, as a crash no handler sees would. Its
    // watchdog is left to do its work.
    void Kill();

    // From the next start on, Wine traces the calls to LockWorkStation of
    // the program and its watchdog (Wine does not carry them out).
    void TraceWindowsLock() { m_bTraceCalls = true; }
    // The program or its watchdog asked Windows to lock the session (seen
    // in that trace).
    bool HandedToWindowsLock();

    // The watchdog process the program started, once found; null when it
    // has none.
    HANDLE Watchdog();
    // Its process id once found; 0 before.
    DWORD WatchdogId() const { return m_dwWatchdogId; }
    // True once the watchdog has ended, or when there is none.
    bool WaitForWatchdogExit(DWORD timeoutMs = 30000);
    // Ends the watchdog at once.
    void KillWatchdog();
    // Ends every process the program started and they started, youngest
    // first, as ending its process tree does before the program itself.
    void KillDescendants();

    const std::wstring& Folder() const { return m_folder; }
    std::wstring ConfigPath() const { return m_folder + L"\\config.ini"; }

private:

    // A visible dialog-class top-level window of this process that matches.
    HWND WaitForWindow(const std::function<bool(HWND)>& match, DWORD timeoutMs = 30000) const;

    std::wstring m_folder;
    PROCESS_INFORMATION m_info{};
    KernelHandle m_watchdog;
    std::vector<DWORD> m_othersWatchdogs;  // rundll32 processes running before the start
    DWORD m_dwProcessId = 0;               // also once the process is gone
    DWORD m_dwWatchdogId = 0;
    bool m_bTraceCalls = false;
};
