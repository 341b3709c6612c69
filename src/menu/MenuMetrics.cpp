#include "menu/MenuMetrics.h"

#include <algorithm>

int MenuIconGap(bool imageEffects) {
    return imageEffects ? 7 : 4;
}

MenuItemSize MeasureMenuSeparator(int menuBarHeight, int imageHeight, int gap) {
    return {0, std::max(menuBarHeight / 2, (imageHeight + gap) / 2)};
}

MenuItemSize MeasureMenuText(int textWidth, int imageWidth, int imageHeight, int gap,
                             bool xpStyle, int menuBarHeight) {
    const int width = xpStyle ? textWidth + imageWidth + gap + 8 : textWidth + 2 * imageWidth + 1;
    return {width, std::max(menuBarHeight, imageHeight + gap)};
}

int EstimateMenuTextWidth(int layoutWidth, size_t characters) {
    const int width = layoutWidth + 3;
    if (characters == 0) return width;
    return width + 3 * (width / static_cast<int>(characters));
}
