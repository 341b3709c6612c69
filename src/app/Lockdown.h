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

// Sets a per-user system policy value to 1, or deletes it.
void SetPolicyValue(const wchar_t* name, bool on);

// Switches the screensaver on or off for this session, not in the profile.
void SetScreenSaverActive(bool active);

// Remembers whether the screensaver hold-off is on, and whether the
// screensaver was on before it, for ReleaseAfterCrash.
void NoteHoldOff(bool on, bool screenSaverWasActive);

// Gives back what the lock has taken, for a process that is dying: no heap,
// no waiting on other threads, once only. The thread execution state ends
// with the process by itself.
void ReleaseAfterCrash();
