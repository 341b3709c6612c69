#pragma once
// A second process, the same program, that outlives a lock killed by force
// (TerminateProcess, a fail-fast crash: no handler of the lock runs) and
// gives back what the lock had taken. It holds no password and no window,
// and it never locks anything itself.
#include "app/WatchdogCommandLine.h"

// Moves the lockdown's record into memory shared with a new watchdog of
// this process. When that cannot be done the lock goes on without one.
void StartWatchdog();

// The watchdog's whole run: waits for the lock's process to end, then gives
// back what its record says is still taken. After a normal release nothing
// is, and it simply ends.
void RunWatchdog(const WatchdogHandles& handles);
