#pragma once
// Where the lock window and its clock go, from the monitors' rectangles.
#include <vector>

#include "framework/ScreenRect.h"

// All monitors together, one pixel larger on every side, so that no edge of
// any screen stays uncovered. With no monitor known it covers nothing.
ScreenRect LockWindowRect(const std::vector<ScreenRect>& monitors);

// The clock control, in client coordinates of a lock window placed at
// `window`: a quarter of the primary screen in from its left edge, at 60 %
// of its height, half its width and height. On one monitor this is
// (cx / 4, cy * 0.6) in the window.
ScreenRect ClockRect(int primaryWidth, int primaryHeight, const ScreenRect& window);

// The owner's message is measured first in a font of this height.
constexpr int kMessageMeasureHeight = 100;

// The font height of the owner's message, in pixels: a 16th of the primary
// screen's height, less where the line, `measuredWidth` pixels wide at
// kMessageMeasureHeight, would be wider than the screen less a 16th on
// either side; never below 9 points at the monitor's `dpi`.
int MessageFontHeight(int primaryWidth, int primaryHeight, unsigned dpi, int measuredWidth);

// The owner's message, one line `height` pixels high, as wide as the
// primary screen and resting on the clock's top edge, in client
// coordinates of a lock window placed at `window`.
ScreenRect MessageRect(int primaryWidth, int primaryHeight, int height, const ScreenRect& window);
