#pragma once
// What the lock takes from the system while the screen is locked, and gives
// back: one vocabulary, Take and GiveBack, with the parts named as sets.
#include "app/system/LockdownState.h"

// A set of the parts of the system a lock takes, one bit each.
using Lockdown = unsigned;
enum : Lockdown {
    kTaskManager = 1,           // the Task Manager policy value
    kTaskKeys = 2,              // the keyboard's and mouse's guard (the hook DLL)
    kTaskbars = 4,              // every taskbar window
    kAccessibilityHotkeys = 8,  // the accessibility features' hotkeys, for this session
    kHoldOff = 16,              // screensaver, sleep, display power-off and workstation locking held off
};
// Taken as the lock starts and kept to its end; the hold-off comes with
// the settings that ask for it.
constexpr Lockdown kWhileLocked = kTaskManager | kTaskKeys | kTaskbars | kAccessibilityHotkeys;
// What would outlive the process, given back at the end of the session:
// the keyboard's and mouse's guard dies with the process.
constexpr Lockdown kOutlivesTheProcess = kTaskManager | kTaskbars | kAccessibilityHotkeys | kHoldOff;
constexpr Lockdown kEverything = kWhileLocked | kHoldOff;

// Takes the parts in `what`, in the order of their bits. Failures are
// ignored: each part is taken on its own. A policy value comes back as it
// was before the first time it was taken in this run; taking it again
// while taken remembers nothing new. A screensaver that was off before the
// hold-off stays off.
void Take(Lockdown what);
// Gives back the parts in `what`, in the same order: what is not taken
// stays as it is, but the taskbars are enabled and the keys let through.
void GiveBack(Lockdown what);

// Gives back what the lock has taken, for a process that is dying: no heap,
// no waiting on other threads, once only; then, when anything was taken,
// leaves the session to Windows' own lock. The thread execution state ends
// with the process by itself.
void GiveBackAfterCrash();

// From here on the record of what is taken lives in `shared` (zeroed
// memory), where the watchdog reads it once the lock has died.
void ShareLockdownState(LockdownState* shared);

// An earlier lock that died with its watchdog left its 1s in the policy
// values and their restore commands in RunOnce: the commands' values are
// put back now, so that this lock remembers them and not those 1s.
void GiveBackWhatAnEarlierLockLeft();
