#include "app/Lockdown.h"

#include <windows.h>

#include "TaskKeyHook.h"

namespace {

const wchar_t kPolicyKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
// The taskbar, and one more on each further monitor.
const wchar_t* const kTaskbarClasses[] = {L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"};

// What is taken away now. Plain flags: a crash handler reads them.
volatile LONG g_taskManagerLocked = 0;
volatile LONG g_taskbarLocked = 0;
volatile LONG g_holdOff = 0;
volatile LONG g_screenSaverWasActive = 0;
volatile LONG g_releasedAfterCrash = 0;

// Touches only taskbars not yet in that state, so that checking again
// costs little and sends nothing.
void EnableTaskbars(bool enable) {
    for (const wchar_t* name : kTaskbarClasses) {
        for (HWND w = FindWindowExW(nullptr, nullptr, name, nullptr); w;
             w = FindWindowExW(nullptr, w, name, nullptr)) {
            if ((IsWindowEnabled(w) != FALSE) != enable) EnableWindow(w, enable);
        }
    }
}

void SetPolicyValue(const wchar_t* name, bool on) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kPolicyKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS &&
        RegCreateKeyExW(HKEY_CURRENT_USER, kPolicyKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (on) {
        const DWORD one = 1;
        RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    } else {
        RegDeleteValueW(key, name);
    }
    RegCloseKey(key);
}

void SetScreenSaverActive(bool active) {
    SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active, nullptr, 0);
    // Reading the setting back makes sure the change has reached the display
    // before the program ends: some display drivers send it lazily, and a
    // request still queued when the process exits is lost.
    BOOL now;
    SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &now, 0);
}

}  // namespace

void SetLockdown(unsigned flags, int on, int extra) {
    if (flags & LOCK_TASKMGR) {
        SetPolicyValue(L"DisableTaskMgr", on != 0);
        g_taskManagerLocked = on != 0;
    }
    if (flags & LOCK_TASKKEYS) DisableTaskKeys(on, extra);
    if (flags & LOCK_TASKBAR) {
        EnableTaskbars(!on);
        g_taskbarLocked = on != 0;
    }
}

void HoldOffScreenSaver(bool on) {
    if (on) {
        BOOL active = FALSE;
        SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
        g_screenSaverWasActive = active != FALSE;
        if (active) SetScreenSaverActive(false);
        SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED);
    } else {
        if (g_screenSaverWasActive) SetScreenSaverActive(true);
        SetThreadExecutionState(ES_CONTINUOUS);
    }
    SetPolicyValue(L"DisableLockWorkstation", on);
    g_holdOff = on;
}

void ReleaseAfterCrash() {
    if (InterlockedExchange(&g_releasedAfterCrash, 1)) return;
    UnhookTaskKeys();
    if (g_taskManagerLocked) SetPolicyValue(L"DisableTaskMgr", false);
    if (g_taskbarLocked) EnableTaskbars(true);
    if (g_holdOff) {
        if (g_screenSaverWasActive) SetScreenSaverActive(true);
        SetPolicyValue(L"DisableLockWorkstation", false);
    }
}
