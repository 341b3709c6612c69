#include "app/dialogs/DialogPlacement.h"

#include <algorithm>

namespace {

int CentredStart(int size, int low, int high) {
    return std::max(low, low + (high - low - size) / 2);
}

}  // namespace

ScreenRect CentredInArea(int width, int height, const ScreenRect& area) {
    const int left = CentredStart(width, area.left, area.right);
    const int top = CentredStart(height, area.top, area.bottom);
    return {left, top, left + width, top + height};
}
