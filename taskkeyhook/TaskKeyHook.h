#pragma once
// Keeps the keyboard and the mouse buttons to the locking process's own
// windows, for the whole desktop.

#ifdef TASKKEYHOOK_BUILD
#define TASKKEYHOOK_API extern "C" __declspec(dllexport)
#else
#define TASKKEYHOOK_API extern "C" __declspec(dllimport)
#endif

// With disable non-zero, until the next call with disable 0: Alt+Tab,
// Alt+Esc, Ctrl+Esc and both Windows keys are swallowed; while a window of
// another process holds the foreground, every key is swallowed; and no
// mouse button or wheel reaches a window of another process. Calls that
// repeat the current state change nothing. extra is reserved. Returns
// non-zero when the input is in the requested state.
TASKKEYHOOK_API int DisableTaskKeys(int disable, int extra);

// Takes the hooks away at once, from any thread and without waiting: for a
// process that is about to die, whose hooks the system might otherwise keep.
TASKKEYHOOK_API void UnhookTaskKeys();
