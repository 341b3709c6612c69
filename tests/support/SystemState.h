#pragma once
#include <windows.h>

// The per-user policy values the program sets while locked.
bool PolicyValueSet(const wchar_t* name);
void SetPolicyValue(const wchar_t* name);
void DeletePolicyValues();
HWND Taskbar();
// Waits for the shell's taskbar window. The shell starts once the first
// program of a fresh prefix makes a window, so this makes a hidden one.
bool WaitForTaskbar();
// The screensaver setting, as a newly started program reads and sets it.
bool ScreenSaverActive();
void SetScreenSaverActive(bool active);
