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

// The icon cell, the gap beside it and every other space of an item, at the
// DPI the menu is drawn at. The sizes are given for 96 DPI.
struct MenuItemMetrics {
    MenuItemMetrics(int imageWidth96, int imageHeight96, int gap96, unsigned dpi);
    // A space of `pixels` at 96 DPI, at this DPI.
    int Scaled(int pixels) const;

    unsigned dpi;
    int imageWidth;
    int imageHeight;
    int gap;
};

// `menuBarHeight` is the system's menu bar height at the metrics' DPI.
MenuItemSize MeasureMenuSeparator(int menuBarHeight, const MenuItemMetrics& metrics);
MenuItemSize MeasureMenuText(int textWidth, const MenuItemMetrics& metrics, bool xpStyle, int menuBarHeight);

// Text width on 16-bit hosts, whose layout width runs short: three pixels
// plus three per average character. Text without characters gets no
// per-character share.
int EstimateMenuTextWidth(int layoutWidth, size_t characters);
