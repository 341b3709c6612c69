#pragma once
// What the menu tests share: a memory surface to draw items into and read
// back, known system colours, the menu's process-wide switches put back
// after each test, and a draw request for one item.
#include <windows.h>

#include <gtest/gtest.h>

#include "menu/TaviMenu.h"

// A 32-bit top-down surface whose pixels can be read directly.
class Surface {
public:
    Surface(int width, int height, COLORREF fill = RGB(255, 255, 255)) : m_width(width), m_height(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        m_hDC = CreateCompatibleDC(nullptr);
        m_hBitmap = CreateDIBSection(m_hDC, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_hOld = SelectObject(m_hDC, m_hBitmap);
        Fill(fill);
    }
    ~Surface() {
        SelectObject(m_hDC, m_hOld);
        DeleteObject(m_hBitmap);
        DeleteDC(m_hDC);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC dc() const { return m_hDC; }
    void Fill(COLORREF color) {
        GdiFlush();
        for (int i = 0; i < m_width * m_height; ++i)
            m_bits[i] = GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color);
    }
    COLORREF Pixel(int x, int y) const {
        GdiFlush();
        const uint32_t p = m_bits[y * m_width + x];
        return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    }
    // How many pixels of the rectangle have the colour.
    int Count(const RECT& rc, COLORREF color) const {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) n += Pixel(x, y) == color;
        return n;
    }

private:
    int m_width;
    int m_height;
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    uint32_t* m_bits = nullptr;
};

// Distinct system colours for the test's duration, the old ones restored.
class KnownColors {
public:
    static constexpr COLORREF kMenu = RGB(200, 210, 220);
    static constexpr COLORREF kWindow = RGB(250, 250, 240);
    static constexpr COLORREF kFace = RGB(180, 190, 160);
    static constexpr COLORREF kHighlight = RGB(40, 80, 200);
    static constexpr COLORREF kHighlightText = RGB(255, 255, 0);
    static constexpr COLORREF kMenuText = RGB(10, 20, 30);
    static constexpr COLORREF kGrayText = RGB(120, 120, 120);
    static constexpr COLORREF kButtonLight = RGB(255, 255, 255);
    static constexpr COLORREF kButtonShadow = RGB(100, 100, 100);
    static constexpr COLORREF kButtonText = RGB(90, 30, 60);

    KnownColors() : KnownColors(kFace) {}
    explicit KnownColors(COLORREF face) {
        const COLORREF colors[] = {kMenu,      kWindow,  face,         kHighlight,  kHighlightText,
                                   kMenuText,  kGrayText, kButtonLight, kButtonShadow, kButtonText};
        for (int i = 0; i < kCount; ++i) m_old[i] = GetSysColor(kElements[i]);
        SetSysColors(kCount, kElements, colors);
    }
    ~KnownColors() { SetSysColors(kCount, kElements, m_old); }
    KnownColors(const KnownColors&) = delete;
    KnownColors& operator=(const KnownColors&) = delete;

private:
    static constexpr int kCount = 10;
    static constexpr INT kElements[kCount] = {COLOR_MENU,      COLOR_WINDOW,   COLOR_BTNFACE,   COLOR_HIGHLIGHT,
                                              COLOR_HIGHLIGHTTEXT, COLOR_MENUTEXT, COLOR_GRAYTEXT,
                                              COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_BTNTEXT};
    COLORREF m_old[kCount];
};

// The menu's process-wide switches, put back as they were.
class MenuSwitches {
public:
    MenuSwitches()
        : m_themed(TaviMenu::s_nStyleThemed),
          m_unthemed(TaviMenu::s_nStyleUnthemed),
          m_effects(TaviMenu::s_bXPImageEffects),
          m_platform(TaviMenu::s_nPlatform) {}
    ~MenuSwitches() {
        TaviMenu::s_nStyleThemed = m_themed;
        TaviMenu::s_nStyleUnthemed = m_unthemed;
        TaviMenu::s_bXPImageEffects = m_effects;
        TaviMenu::s_nPlatform = m_platform;
    }
    MenuSwitches(const MenuSwitches&) = delete;
    MenuSwitches& operator=(const MenuSwitches&) = delete;

    // Selects a look whichever theme the platform reports.
    static void UseXPStyle(bool xp) { TaviMenu::s_nStyleThemed = TaviMenu::s_nStyleUnthemed = xp ? 1 : 0; }

private:
    int m_themed;
    int m_unthemed;
    BOOL m_effects;
    int m_platform;
};

// The position of the first record of `menu` with the command, or -1.
inline int PositionOf(const TaviMenu& menu, UINT_PTR command) {
    for (size_t i = 0; i < menu.m_items.size(); ++i)
        if (menu.m_items[i]->m_nCommand == command) return static_cast<int>(i);
    return -1;
}

// The platform's draw request for the item at `position` of `menu`.
inline DRAWITEMSTRUCT DrawRequest(const TaviMenu& menu, int position, HDC dc, const RECT& rc, UINT state) {
    const MenuItemRecord& record = *menu.m_items.at(static_cast<size_t>(position));
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = static_cast<UINT>(record.m_nCommand);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hwndItem = reinterpret_cast<HWND>(menu.m_hMenu);
    draw.hDC = dc;
    draw.rcItem = rc;
    draw.itemData = reinterpret_cast<ULONG_PTR>(&record);
    return draw;
}
