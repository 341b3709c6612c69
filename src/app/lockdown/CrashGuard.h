#pragma once
// Makes a crash give the desktop back: an unhandled exception in any thread,
// or an abort, releases the lockdown before the process ends.
void InstallCrashGuard();
