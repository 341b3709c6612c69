#pragma once
// The system controls taken away while the screen is locked.
#include "app/system/LockdownState.h"

enum : unsigned {
    LOCK_TASKMGR = 1,        // the Task Manager policy value
    LOCK_TASKKEYS = 2,       // the task-switching keys
    LOCK_TASKBAR = 4,        // every taskbar window
    LOCK_ACCESSIBILITY = 8,  // the accessibility features' hotkeys, for this session
    LOCK_ALL = 0xFFFF,
};

// Locks (on != 0) or releases the controls named in flags. Failures are
// ignored: each control is applied on its own. A policy value comes back
// as it was before the first lock of this run; locking again while locked
// remembers nothing new.
void SetLockdown(unsigned flags, int on, int extra);

// Holds off (on) or gives back the screensaver, system sleep and display
// power-off for this thread, and workstation locking through the policy.
// A screensaver that was off before stays off.
void HoldOffScreenSaver(bool on);

// Gives back what the lock has taken, for a process that is dying: no heap,
// no waiting on other threads, once only; then, when anything was taken,
// leaves the session to Windows' own lock. The thread execution state ends
// with the process by itself.
void ReleaseAfterCrash();

// From here on the record of what is taken lives in `shared` (zeroed
// memory), where the watchdog reads it once the lock has died.
void ShareLockdownState(LockdownState* shared);

// An earlier lock that died with its watchdog left its 1s in the policy
// values and their restore commands in RunOnce: the commands' values are
// put back now, so that this lock remembers them and not those 1s.
void PutBackWhatAnEarlierLockLeft();
