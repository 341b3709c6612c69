#pragma once
// Reads the lock's clock off the screen, the way a person would: which
// segments of each digit are lit.
#include <windows.h>

#include <string>

// The time shown as "MM:SS.T", in tenths of a second, or -1 when the screen
// does not show such a time in the lit colour.
int ReadClockTenths(HWND clock, COLORREF lit);

// Whether every pixel of the screen outside the clock control is black.
bool BlackOutsideClock(HWND clock);
