#include "app/Lockdown.h"

#include <windows.h>

#include <string>

#include "TaskKeyHook.h"
#include "app/AccessibilityHotkeys.h"
#include "app/PolicyRestoreCommand.h"

namespace {

const wchar_t kRunOnceKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
// The taskbar, and one more on each further monitor.
const wchar_t* const kTaskbarClasses[] = {L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"};

// A policy value the lock sets, and the RunOnce value that holds its
// restore command while it is taken.
struct PolicyValue {
    const wchar_t* name;
    const wchar_t* runOnceName;
    TakenPolicyValue LockdownState::*state;
};
const PolicyValue kTaskManager = {L"DisableTaskMgr", L"Quilmar DisableTaskMgr", &LockdownState::taskManager};
const PolicyValue kLockWorkstation = {L"DisableLockWorkstation", L"Quilmar DisableLockWorkstation",
                                      &LockdownState::lockWorkstation};

// What is taken now: this process's own record until the watchdog shares it.
LockdownState g_ownState;
LockdownState* g_state = &g_ownState;
volatile LONG g_releasedAfterCrash = 0;

// Sets a value under HKEY_CURRENT_USER, or deletes it when data is null;
// the key is made when it is missing.
void PutValue(const wchar_t* keyPath, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS &&
        RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (data) RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    else RegDeleteValueW(key, name);
    RegCloseKey(key);
}

void PutBackPolicyValue(const wchar_t* name, const SavedRegistryValue& before) {
    PutValue(kPolicyKey, name, before.type, before.present ? before.data : nullptr, before.size);
}

// A value too large to keep counts as none: it is deleted at release.
SavedRegistryValue ReadPolicyValue(const wchar_t* name) {
    SavedRegistryValue saved{};
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kPolicyKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return saved;
    DWORD type = 0, size = sizeof saved.data;
    if (RegQueryValueExW(key, name, nullptr, &type, saved.data, &size) == ERROR_SUCCESS) {
        saved.present = 1;
        saved.type = type;
        saved.size = size;
    }
    RegCloseKey(key);
    return saved;
}

std::wstring SystemDirectory() {
    wchar_t dir[MAX_PATH];
    const UINT length = GetSystemDirectoryW(dir, MAX_PATH);
    return std::wstring(dir, length < MAX_PATH ? length : 0);
}

void TakePolicyValue(const PolicyValue& policy, LockdownState& state) {
    TakenPolicyValue& value = state.*policy.state;
    // Only the first lock of the run reads what is there: any later one
    // would find the lock's own 1.
    if (!value.remembered) {
        value.before = ReadPolicyValue(policy.name);
        value.remembered = 1;
    }
    // Marked before anything is written, so that a kill at any point in
    // between leaves nothing the watchdog does not put back.
    value.taken = 1;
    const std::wstring command = PolicyRestoreCommand(SystemDirectory(), policy.name, value.before);
    PutValue(kRunOnceKey, policy.runOnceName, REG_SZ, command.c_str(),
             static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    const DWORD one = 1;
    PutValue(kPolicyKey, policy.name, REG_DWORD, &one, sizeof one);
}

void GiveBackPolicyValue(const PolicyValue& policy, LockdownState& state) {
    TakenPolicyValue& value = state.*policy.state;
    if (!value.taken) return;
    PutBackPolicyValue(policy.name, value.before);
    PutValue(kRunOnceKey, policy.runOnceName, REG_SZ, nullptr, 0);
    value.taken = 0;
}

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

void SetScreenSaverActive(bool active) {
    SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, active, nullptr, 0);
    // Reading the setting back makes sure the change has reached the display
    // before the program ends: some display drivers send it lazily, and a
    // request still queued when the process exits is lost.
    BOOL now;
    SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &now, 0);
}

void GiveBackScreenSaver(LockdownState& state) {
    if (!state.screenSaverHeldOff) return;
    if (state.screenSaverWasActive) SetScreenSaverActive(true);
    state.screenSaverHeldOff = 0;
}

}  // namespace

void SetLockdown(unsigned flags, int on, int extra) {
    LockdownState& state = *g_state;
    if (flags & LOCK_TASKMGR) {
        if (on) TakePolicyValue(kTaskManager, state);
        else GiveBackPolicyValue(kTaskManager, state);
    }
    if (flags & LOCK_TASKKEYS) DisableTaskKeys(on, extra);
    if (flags & LOCK_TASKBAR) {
        if (on) state.taskbarLocked = 1;
        EnableTaskbars(!on);
        if (!on) state.taskbarLocked = 0;
    }
    if (flags & LOCK_ACCESSIBILITY) {
        if (on) TakeAccessibilityHotkeys(state.accessibilityHotkeys);
        else GiveBackAccessibilityHotkeys(state.accessibilityHotkeys);
    }
}

void HoldOffScreenSaver(bool on) {
    LockdownState& state = *g_state;
    if (on) {
        // Held off already, the screensaver's earlier state is the one saved.
        if (!state.screenSaverHeldOff) {
            BOOL active = FALSE;
            SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
            state.screenSaverWasActive = active != FALSE;
            state.screenSaverHeldOff = 1;
            if (active) SetScreenSaverActive(false);
        }
        SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED);
        TakePolicyValue(kLockWorkstation, state);
    } else {
        GiveBackScreenSaver(state);
        SetThreadExecutionState(ES_CONTINUOUS);
        GiveBackPolicyValue(kLockWorkstation, state);
    }
}

void GiveBackTaken(LockdownState& state) {
    GiveBackPolicyValue(kTaskManager, state);
    if (state.taskbarLocked) {
        EnableTaskbars(true);
        state.taskbarLocked = 0;
    }
    GiveBackScreenSaver(state);
    GiveBackPolicyValue(kLockWorkstation, state);
    GiveBackAccessibilityHotkeys(state.accessibilityHotkeys);
}

void ReleaseAfterCrash() {
    if (InterlockedExchange(&g_releasedAfterCrash, 1)) return;
    UnhookTaskKeys();
    GiveBackTaken(*g_state);
}

void ShareLockdownState(LockdownState* shared) {
    *shared = *g_state;
    g_state = shared;
}

void PutBackWhatAnEarlierLockLeft() {
    for (const PolicyValue* policy : {&kTaskManager, &kLockWorkstation}) {
        wchar_t command[1024];
        DWORD size = sizeof command;
        if (RegGetValueW(HKEY_CURRENT_USER, kRunOnceKey, policy->runOnceName, RRF_RT_REG_SZ, nullptr, command,
                         &size) != ERROR_SUCCESS)
            continue;
        // A command this program did not write is left for the logon to run.
        if (const std::optional<SavedRegistryValue> before = ReadPolicyRestoreCommand(command, policy->name)) {
            PutBackPolicyValue(policy->name, *before);
            PutValue(kRunOnceKey, policy->runOnceName, REG_SZ, nullptr, 0);
        }
    }
}
