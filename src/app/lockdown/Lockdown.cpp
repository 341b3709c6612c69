#include "app/lockdown/Lockdown.h"

#include <windows.h>

#include <string>

#include "TaskKeyHook.h"
#include "app/system/AccessibilityHotkeys.h"
#include "app/system/PolicyRestoreCommand.h"
#include "app/system/SystemControls.h"

namespace {

// What is taken now: this process's own record until the watchdog shares it.
LockdownState g_ownState;
LockdownState* g_state = &g_ownState;
volatile LONG g_releasedAfterCrash = 0;

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
    PutUserValue(kRunOnceKey, policy.runOnceName, REG_SZ, command.c_str(),
                 static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    const DWORD one = 1;
    PutUserValue(kPolicyKey, policy.name, REG_DWORD, &one, sizeof one);
}

}  // namespace

void Take(Lockdown what) {
    LockdownState& state = *g_state;
    if (what & kTaskManager) TakePolicyValue(kTaskManagerPolicy, state);
    if (what & kTaskKeys) DisableTaskKeys(1, 0);
    if (what & kTaskbars) {
        state.taskbarLocked = 1;
        EnableTaskbars(false);
    }
    if (what & kAccessibilityHotkeys) TakeAccessibilityHotkeys(state.accessibilityHotkeys);
    if (what & kHoldOff) {
        // Held off already, the screensaver's earlier state is the one saved.
        if (!state.screenSaverHeldOff) {
            BOOL active = FALSE;
            SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
            state.screenSaverWasActive = active != FALSE;
            state.screenSaverHeldOff = 1;
            if (active) SetScreenSaverActive(false);
        }
        SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED);
        TakePolicyValue(kLockWorkstationPolicy, state);
    }
}

void GiveBack(Lockdown what) {
    LockdownState& state = *g_state;
    if (what & kTaskManager) GiveBackPolicyValue(kTaskManagerPolicy, state);
    if (what & kTaskKeys) DisableTaskKeys(0, 0);
    if (what & kTaskbars) {
        EnableTaskbars(true);
        state.taskbarLocked = 0;
    }
    if (what & kAccessibilityHotkeys) GiveBackAccessibilityHotkeys(state.accessibilityHotkeys);
    if (what & kHoldOff) {
        GiveBackScreenSaver(state);
        SetThreadExecutionState(ES_CONTINUOUS);
        GiveBackPolicyValue(kLockWorkstationPolicy, state);
    }
}

void GiveBackAfterCrash() {
    if (InterlockedExchange(&g_releasedAfterCrash, 1)) return;
    UnhookTaskKeys();
    if (GiveBackTaken(*g_state)) HandOverToWindowsLock();
}

void ShareLockdownState(LockdownState* shared) {
    *shared = *g_state;
    g_state = shared;
}

void GiveBackWhatAnEarlierLockLeft() {
    for (const PolicyValue* policy : {&kTaskManagerPolicy, &kLockWorkstationPolicy}) {
        wchar_t command[1024];
        DWORD size = sizeof command;
        if (RegGetValueW(HKEY_CURRENT_USER, kRunOnceKey, policy->runOnceName, RRF_RT_REG_SZ, nullptr, command,
                         &size) != ERROR_SUCCESS)
            continue;
        // A command this program did not write is left for the logon to run.
        if (const std::optional<SavedRegistryValue> before = ReadPolicyRestoreCommand(command, policy->name)) {
            PutBackPolicyValue(policy->name, *before);
            PutUserValue(kRunOnceKey, policy->runOnceName, REG_SZ, nullptr, 0);
        }
    }
}
