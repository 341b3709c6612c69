#include "framework/DialogPlacement.h"

#include <algorithm>

namespace {

int CentredStart(int size, int overLow, int overHigh, int low, int high) {
    return std::max(low, std::min((overLow + overHigh - size) / 2, high - size));
}

}  // namespace

ScreenRect CentredOver(int width, int height, const ScreenRect& over, const ScreenRect& area) {
    const int left = CentredStart(width, over.left, over.right, area.left, area.right);
    const int top = CentredStart(height, over.top, over.bottom, area.top, area.bottom);
    return {left, top, left + width, top + height};
}
