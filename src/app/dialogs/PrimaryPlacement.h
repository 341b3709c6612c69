#pragma once
// Puts the settings dialog, the unlock prompt and their message boxes in
// the middle of the primary monitor's work area. The lock window covers
// every monitor, so centring over it, as the dialog manager and message
// boxes do, would pick whichever monitor it overlaps most.
#include <windows.h>

// Moves `hWnd` there, keeping its size. Call again after the monitors
// change to bring a shown window back.
void CenterOnPrimaryMonitor(HWND hWnd);

// A message box owned by `owner`, with an empty caption and the plain OK
// style, centred on the primary monitor. Without an owner to come up in
// front of, it takes the foreground itself and stays above other windows.
void ShowMessageOnPrimary(HWND owner, const wchar_t* text);
