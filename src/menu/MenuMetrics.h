#pragma once
// The arithmetic of menu item sizes, apart from the text measuring itself.
#include <cstddef>

struct MenuItemSize {
    int width;
    int height;
};

// Space between the icon column and the text: wider when icons are drawn
// raised over their shadow.
int MenuIconGap(bool imageEffects);

// `menuBarHeight` is the system's menu bar height; `imageHeight` the icon
// cell height.
MenuItemSize MeasureMenuSeparator(int menuBarHeight, int imageHeight, int gap);
MenuItemSize MeasureMenuText(int textWidth, int imageWidth, int imageHeight, int gap,
                             bool xpStyle, int menuBarHeight);

// Text width on 16-bit hosts, whose layout width runs short: three pixels
// plus three per average character. Text without characters gets no
// per-character share.
int EstimateMenuTextWidth(int layoutWidth, size_t characters);
