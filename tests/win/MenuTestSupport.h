#pragma once
// What the menu tests share: a memory surface to draw items into and read
// back, known system colours, the menu's process-wide switches put back
// after each test, and a draw request for one item.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestSurface.h"
#include "menu/TaviMenu.h"

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

// The record of the first item of `menu` with the command.
inline const MenuItemRecord& Record(const TaviMenu& menu, UINT_PTR command) {
    return *menu.m_items.at(static_cast<size_t>(PositionOf(menu, command)));
}

// The width of a text in the menu font.
inline LONG MenuTextWidth(const std::wstring& text) {
    const GdiObject<HFONT> font = CreateMenuFont(kStandardDpi);
    const WindowDC dc(nullptr);
    const CSelectedObject selected(dc, font.get());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
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
