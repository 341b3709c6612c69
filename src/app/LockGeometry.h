#pragma once
// Where the lock window and its clock go, from the monitors' rectangles.
#include <vector>

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const ScreenRect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

// All monitors together, one pixel larger on every side, so that no edge of
// any screen stays uncovered. With no monitor known it covers nothing.
ScreenRect LockWindowRect(const std::vector<ScreenRect>& monitors);

// The clock control, in client coordinates of a lock window placed at
// `window`: a quarter of the primary screen in from its left edge, at 60 %
// of its height, half its width and height. On one monitor this is
// (cx / 4, cy * 0.6) in the window.
ScreenRect ClockRect(int primaryWidth, int primaryHeight, const ScreenRect& window);
