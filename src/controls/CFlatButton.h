#pragma once
// A push button that draws itself flat: a thin raised frame while the
// pointer is over it, a thin sunken one while it is pressed, never a focus
// rectangle. It may carry a drop-down menu: a click opens the menu's first
// pop-up right below the button and posts the chosen command to a target
// window. It works once bound to an existing button (SubclassDlgItem).
#include <string>

#include "framework/CWnd.h"
#include "menu/TaviMenu.h"

class CFlatButton : public CWnd {
public:
    // Indexes of the colour table.
    enum { CLR_HOT_BACK, CLR_HOT_TEXT, CLR_NORMAL_BACK, CLR_NORMAL_TEXT, CLR_FOCUS_BACK, CLR_FOCUS_TEXT, CLR_COUNT };

    CFlatButton();

    // Replaces the drop-down menu by menu resource `menuId` (0: no menu),
    // drawn in the XP look when `xpStyle` is set, with the icons of toolbar
    // `toolbarId` (0: none) of the given size and background colour. The
    // chosen command goes to `target`. 0 on success, 1 when a resource
    // cannot be loaded; the button then has no menu.
    int AttachMenu(UINT menuId, HWND target, int xpStyle, UINT toolbarId, int imageWidth, int imageHeight,
                   COLORREF imageMask, BOOL repaint);
    // Takes the face and caption colours from the system colours.
    int ResetColors(BOOL repaint);
    void CancelHover();

    // A double click is taken as a second press: the button has no use for
    // double clicks, and a quick second click must not be lost.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void PreSubclassWindow() override;
    virtual void DrawItem(const DRAWITEMSTRUCT* draw);
    virtual int DrawBackground(HDC dc, const RECT& rc);
    virtual int DrawBorder(HDC dc, const RECT& rc);
    // Draws the text centred in `caption`, which starts as a copy of `item`.
    virtual int DrawCaption(HDC dc, const std::wstring& text, const RECT& item, RECT& caption);

    LRESULT OnMouseMove(WPARAM keys, LPARAM point);
    void OnMouseLeave();
    void OnKillFocus();
    void OnCancelMode();
    void OnActivate(WPARAM state);
    void OnEnable(WPARAM enabled);
    LRESULT OnGetDlgCode(WPARAM, LPARAM);
    LRESULT OnSetStyle(WPARAM style, LPARAM repaint);
    void OnSysColorChange();
    LRESULT OnCtlColor(WPARAM, LPARAM);
    LRESULT OnDrawItem(WPARAM, LPARAM draw);
    void OnClicked();
    LRESULT OnMenuChar(WPARAM key, LPARAM menu);
    LRESULT OnMeasureItem(WPARAM, LPARAM measure);
    LRESULT OnMenuDrawItem(WPARAM, LPARAM draw);

    DECLARE_MESSAGE_MAP()

    int m_bHover = 0;
    int m_bPressed = 0;
    int m_bFocused = 0;
    int m_bDisabled = 0;
    // The dialog made this its default push button.
    int m_bDefault = 0;
    COLORREF m_crColors[CLR_COUNT];
    HWND m_hMenuTarget = nullptr;
    // Set at each paint: the DPI the button is drawn at.
    UINT m_nDpi = kStandardDpi;
    // The drop-down menu is open: the face is drawn pressed meanwhile.
    int m_bMenuShown = 0;
    TaviMenu m_menu;
    // How far the caption moves while the face is pressed.
    const POINT m_ptPressOffset = {1, 1};
};
