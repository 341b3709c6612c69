#pragma once
// The lock's watchdog (see the hook DLL): a second process that outlives a
// lock killed by force and gives back what the lock had taken.

// Moves the lockdown's record into memory shared with a new watchdog of
// this process. When that cannot be done the lock goes on without one.
void StartWatchdog();
