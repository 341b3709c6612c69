#pragma once
// Keeps the keyboard and the mouse buttons to the locking process's own
// windows, for the whole desktop, and of the keyboard only what those
// windows need.

#ifdef TASKKEYHOOK_BUILD
#define TASKKEYHOOK_API extern "C" __declspec(dllexport)
#else
#define TASKKEYHOOK_API extern "C" __declspec(dllimport)
#endif

// With disable non-zero, until the next call with disable 0: while a window
// of another process holds the foreground, every key is swallowed; else only
// what the locking process's dialogs need gets through (characters, alone or
// with Shift or AltGr, the keys that move about and edit in a box, Escape,
// Caps Lock, Num Lock and the modifier keys themselves), and every other key
// is swallowed: Alt+Tab, Alt+Esc, Ctrl+Esc, both Windows keys, any other
// chord with Ctrl, Alt or a Windows key, the F-keys, Print Screen, and the
// browser, media and launch keys. A swallowed key reaches no window and
// fires no hotkey of any program. Injected keys are judged as typed ones.
// No mouse button or wheel reaches a window of another process. Calls that
// repeat the current state change nothing. extra is reserved. Returns
// non-zero when the input is in the requested state.
TASKKEYHOOK_API int DisableTaskKeys(int disable, int extra);

// Takes the hooks away at once, from any thread and without waiting: for a
// process that is about to die, whose hooks the system might otherwise keep.
TASKKEYHOOK_API void UnhookTaskKeys();

// Starts the watchdog of the calling lock: a process that waits for `lock`
// (a process handle) to end and then gives back what the LockdownState in
// the file mapping `lockdownState` says is still taken, and, when anything
// was, locks the session. It runs under another name than the lock's and
// outside its process tree. Both handles must be inheritable. Returns
// non-zero when it was started.
TASKKEYHOOK_API int StartWatchdogProcess(void* lock, void* lockdownState);
