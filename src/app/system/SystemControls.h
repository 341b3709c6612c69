#pragma once
// The system settings a lock takes away, each one taken and given back on
// its own. Built into the program and into its hook DLL: the lock takes and
// gives back, and its watchdog, which runs from the DLL, gives back what a
// lock killed by force could not. Giving back uses no heap: it also runs in
// a dying process.
#include <windows.h>

#include "app/system/LockdownState.h"

inline constexpr wchar_t kRunOnceKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// A policy value the lock sets, and the RunOnce value that holds its
// restore command while it is taken.
struct PolicyValue {
    const wchar_t* name;
    const wchar_t* runOnceName;
    TakenPolicyValue LockdownState::*state;
};
extern const PolicyValue kTaskManagerPolicy;
extern const PolicyValue kLockWorkstationPolicy;

// Sets a value under HKEY_CURRENT_USER, or deletes it when data is null;
// the key is made when it is missing.
void PutUserValue(const wchar_t* keyPath, const wchar_t* name, DWORD type, const void* data, DWORD size);

// Puts a policy value back as it was before.
void PutBackPolicyValue(const wchar_t* name, const SavedRegistryValue& before);

// Enables or disables every taskbar (one more on each further monitor).
void EnableTaskbars(bool enable);

void SetScreenSaverActive(bool active);

// Gives back the policy value, and drops its restore command, when taken.
void GiveBackPolicyValue(const PolicyValue& policy, LockdownState& state);

// Switches the screensaver on again when the hold-off took it.
void GiveBackScreenSaver(LockdownState& state);

// Gives back everything `state` says is taken and marks it given back; the
// task keys are the dying process's own and not among it. True when
// anything was taken.
bool GiveBackTaken(LockdownState& state);

// A lock that ended some other way than by its password leaves the session
// to Windows' own lock, which asks for the account's password.
void HandOverToWindowsLock();
