#include "app/guard/LockGeometry.h"

#include <algorithm>

#include "framework/DpiScale.h"

ScreenRect LockWindowRect(const std::vector<ScreenRect>& monitors) {
    if (monitors.empty()) return {};
    ScreenRect all = monitors.front();
    for (const ScreenRect& m : monitors) {
        all.left = std::min(all.left, m.left);
        all.top = std::min(all.top, m.top);
        all.right = std::max(all.right, m.right);
        all.bottom = std::max(all.bottom, m.bottom);
    }
    return {all.left - 1, all.top - 1, all.right + 1, all.bottom + 1};
}

ScreenRect ClockRect(int primaryWidth, int primaryHeight, const ScreenRect& window) {
    // The primary screen's origin (0, 0) lies at (-window.left, -window.top)
    // in the window's client area; on one monitor that is (1, 1), and the
    // formula below is measured from the window's own corner, one pixel
    // up and left of the screen.
    const int left = primaryWidth / 4 - 1 - window.left;
    const int top = static_cast<int>(primaryHeight * 0.6) - 1 - window.top;
    return {left, top, left + primaryWidth / 2, top + primaryHeight / 2};
}

int MessageFontHeight(int primaryWidth, int primaryHeight, unsigned dpi, int measuredWidth) {
    // Nine points are twelve pixels at the standard DPI.
    const int smallest = ScaleToDpi(12, dpi);
    int height = primaryHeight / 16;
    const long long room = primaryWidth - 2 * (primaryWidth / 16);
    if (measuredWidth > 0 && static_cast<long long>(measuredWidth) * height > room * kMessageMeasureHeight)
        height = static_cast<int>(room * kMessageMeasureHeight / measuredWidth);
    return std::max(height, smallest);
}

ScreenRect MessageRect(int primaryWidth, int primaryHeight, int height, const ScreenRect& window) {
    const int bottom = ClockRect(primaryWidth, primaryHeight, window).top;
    return {-window.left, bottom - height, primaryWidth - window.left, bottom};
}
