#pragma once
// The lock's watchdog (see the hook DLL): a second process that outlives a
// lock killed by force and gives back what the lock had taken.

// Begins to start a watchdog of this process on a thread of its own: under
// Wine starting a process takes tens of milliseconds, in which the lock
// window is made meanwhile. Once started, the lockdown's record lives in
// memory shared with it. When that cannot be done the lock goes on without
// one.
void StartWatchdog();

// Returns once StartWatchdog has done what it could: nothing that outlives
// the process may be taken before, or a kill in between would leave it
// taken with no watchdog to give it back.
void WaitForWatchdog();
