#pragma once
// The system controls taken away while the screen is locked.

enum : unsigned {
    LOCK_TASKMGR = 1,   // the Task Manager policy value
    LOCK_TASKKEYS = 2,  // the task-switching keys
    LOCK_TASKBAR = 4,   // every taskbar window
    LOCK_ALL = 0xFFFF,
};

// Locks (on != 0) or releases the controls named in flags. Failures are
// ignored: each control is applied on its own.
void SetLockdown(unsigned flags, int on, int extra);

// Holds off (on) or gives back the screensaver, system sleep and display
// power-off for this thread, and workstation locking through the policy.
// A screensaver that was off before stays off.
void HoldOffScreenSaver(bool on);

// Gives back what the lock has taken, for a process that is dying: no heap,
// no waiting on other threads, once only. The thread execution state ends
// with the process by itself.
void ReleaseAfterCrash();
