#include "app/system/SystemControls.h"

#include "app/system/AccessibilityHotkeys.h"
#include "app/system/PolicyRestoreCommand.h"

namespace {

// The taskbar, and one more on each further monitor.
const wchar_t* const kTaskbarClasses[] = {L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"};

}  // namespace

const PolicyValue kTaskManagerPolicy = {L"DisableTaskMgr", L"Quilmar DisableTaskMgr", &LockdownState::taskManager};
const PolicyValue kLockWorkstationPolicy = {L"DisableLockWorkstation", L"Quilmar DisableLockWorkstation",
                                            &LockdownState::lockWorkstation};

void PutUserValue(const wchar_t* keyPath, const wchar_t* name, DWORD type, const void* data, DWORD size) {
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
    PutUserValue(kPolicyKey, name, before.type, before.present ? before.data : nullptr, before.size);
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

void GiveBackPolicyValue(const PolicyValue& policy, LockdownState& state) {
    TakenPolicyValue& value = state.*policy.state;
    if (!value.taken) return;
    PutBackPolicyValue(policy.name, value.before);
    PutUserValue(kRunOnceKey, policy.runOnceName, REG_SZ, nullptr, 0);
    value.taken = 0;
}

void GiveBackScreenSaver(LockdownState& state) {
    if (!state.screenSaverHeldOff) return;
    if (state.screenSaverWasActive) SetScreenSaverActive(true);
    state.screenSaverHeldOff = 0;
}

bool GiveBackTaken(LockdownState& state) {
    const bool taken = state.AnyTaken();
    // First what would keep Windows from locking the session.
    GiveBackPolicyValue(kLockWorkstationPolicy, state);
    GiveBackPolicyValue(kTaskManagerPolicy, state);
    if (state.taskbarLocked) {
        EnableTaskbars(true);
        state.taskbarLocked = 0;
    }
    GiveBackScreenSaver(state);
    GiveBackAccessibilityHotkeys(state.accessibilityHotkeys);
    return taken;
}

void HandOverToWindowsLock() {
    LockWorkStation();
}
