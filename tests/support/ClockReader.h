#pragma once
// Reads the lock's clock off the screen, the way a person would: which
// segments of each digit are lit.
#include <windows.h>

#include <ostream>
#include <string>

// The seconds a clock text of any mode stands for.
double TextSeconds(const std::wstring& text);

// The time shown as "MM:SS.T", in tenths of a second, or -1 when the screen
// does not show such a time in the lit colour.
int ReadClockTenths(HWND clock, COLORREF lit);

// What shows on the primary screen above the clock control: the box
// around every pixel there that is not black, and how many of those are
// in the lit colour.
struct ShownAboveClock {
    RECT box = {};
    int lit = 0;
};
ShownAboveClock ReadAboveClock(HWND clock, COLORREF lit);
std::ostream& operator<<(std::ostream& out, const ShownAboveClock& shown);

// Whether that is the owner's message as it should show: one line resting
// on the clock, centred with it and sized from the screen, with enough of
// it in the lit colour.
bool IsMessageOnClock(HWND clock, const ShownAboveClock& shown);

// Whether every pixel of the screen outside the clock control, and outside
// `alsoShown` (screen coordinates), is black.
bool BlackOutsideClock(HWND clock, const RECT& alsoShown = {});
