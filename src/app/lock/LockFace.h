#pragma once
// The lock window's face: the clock, which paints itself, below the middle
// of the primary monitor, and the rest, black, with the banner lines and
// the owner's message above the clock. The practically invisible mode
// leaves the window unpainted and writes them onto the screen itself.
#include <windows.h>

#include <string>

// Puts `clock` in its place on the primary monitor, wherever the window
// `lock` starts.
void PlaceClock(HWND lock, HWND clock);

// Paints `lock` for WM_PAINT, into the window or `onScreen`. The message,
// when there is one, goes above the clock on the primary monitor in `lit`,
// the clock's lit colour, in the system's message font, as large as the
// screen allows and the monitor's DPI needs.
void PaintLockFace(HWND lock, bool onScreen, const std::wstring& message, COLORREF lit);

// Paints a minimised `lock` for WM_PAINT: its icon in the middle, the way
// the system draws a minimised dialog's.
void PaintLockIcon(HWND lock, HICON icon);
