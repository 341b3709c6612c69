#pragma once
#include <windows.h>

#include <optional>
#include <string>

// The per-user policy values the program sets while locked.
bool PolicyValueSet(const wchar_t* name);  // to the DWORD 1
// The value as a DWORD; nothing when there is none or it is of another type.
std::optional<DWORD> PolicyDword(const wchar_t* name);
void SetPolicyValue(const wchar_t* name, DWORD value = 1);
void DeletePolicyValues();
// The command the program keeps in RunOnce while it holds the policy value;
// empty when there is none.
std::wstring RunOnceCommand(const wchar_t* policyValue);
void DeleteRunOnceCommands();
// Runs a command line to its end; its exit code, ~0 when it did not start
// or end in time.
DWORD RunCommand(std::wstring command);
// Starts a command of the Unix shell, its output thrown away. Wine gives no
// handle of a Unix process to wait on: the caller waits for what it does.
bool StartUnixCommand(const std::wstring& command);
HWND Taskbar();
// Waits for the shell's taskbar window. The shell starts once the first
// program of a fresh prefix makes a window, so this makes a hidden one.
bool WaitForTaskbar();
// The screensaver setting, as a newly started program reads and sets it.
bool ScreenSaverActive();
void SetScreenSaverActive(bool active);
