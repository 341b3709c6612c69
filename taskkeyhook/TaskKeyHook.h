#pragma once
// Suppresses the task-switching keys for the whole desktop.

#ifdef TASKKEYHOOK_BUILD
#define TASKKEYHOOK_API extern "C" __declspec(dllexport)
#else
#define TASKKEYHOOK_API extern "C" __declspec(dllimport)
#endif

// With disable non-zero, Alt+Tab, Alt+Esc, Ctrl+Esc and both Windows keys are
// swallowed until the next call with disable 0. Calls that repeat the current
// state change nothing. extra is reserved. Returns non-zero when the keys are
// in the requested state.
TASKKEYHOOK_API int DisableTaskKeys(int disable, int extra);

// Takes the hook away at once, from any thread and without waiting: for a
// process that is about to die, whose hook the system might otherwise keep.
TASKKEYHOOK_API void UnhookTaskKeys();
