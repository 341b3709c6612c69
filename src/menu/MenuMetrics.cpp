#include "menu/MenuMetrics.h"

#include <algorithm>

#include "framework/DpiScale.h"

int MenuIconGap(bool imageEffects) {
    return imageEffects ? 7 : 4;
}

MenuItemMetrics::MenuItemMetrics(int imageWidth96, int imageHeight96, int gap96, unsigned dpi_)
    : dpi(dpi_),
      imageWidth(ScaleToDpi(imageWidth96, dpi_)),
      imageHeight(ScaleToDpi(imageHeight96, dpi_)),
      gap(ScaleToDpi(gap96, dpi_)) {}

int MenuItemMetrics::Scaled(int pixels) const {
    return ScaleToDpi(pixels, dpi);
}

MenuItemSize MeasureMenuSeparator(int menuBarHeight, const MenuItemMetrics& m) {
    return {0, std::max(menuBarHeight / 2, (m.imageHeight + m.gap) / 2)};
}

MenuItemSize MeasureMenuText(int textWidth, const MenuItemMetrics& m, bool xpStyle, int menuBarHeight) {
    const int width = xpStyle ? textWidth + m.imageWidth + m.gap + m.Scaled(8)
                              : textWidth + 2 * m.imageWidth + m.Scaled(1);
    return {width, std::max(menuBarHeight, m.imageHeight + m.gap)};
}

int EstimateMenuTextWidth(int layoutWidth, size_t characters) {
    const int width = layoutWidth + 3;
    if (characters == 0) return width;
    return width + 3 * (width / static_cast<int>(characters));
}
