#include "controls/CFlatButton.h"

#include <commctrl.h>
#include <windowsx.h>

#include "framework/COffscreenDC.h"
#include "framework/Dpi.h"
#include "framework/DpiScale.h"
#include "framework/ScopedHandles.h"
#include "framework/WindowText.h"
#include "menu/MenuGdi.h"

BEGIN_MESSAGE_MAP(CFlatButton, CWnd)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
    ON_MESSAGE(WM_CANCELMODE, OnCancelMode)
    ON_MESSAGE(WM_ACTIVATE, OnActivate)
    ON_MESSAGE(WM_ENABLE, OnEnable)
    ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
    ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
    ON_REFLECT(WM_CTLCOLORBTN, OnCtlColor)
    ON_REFLECT(WM_DRAWITEM, OnDrawItem)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_MESSAGE(WM_MENUCHAR, OnMenuChar)
    ON_MESSAGE(WM_MEASUREITEM, OnMeasureItem)
    ON_MESSAGE(WM_DRAWITEM, OnMenuDrawItem)
END_MESSAGE_MAP()

CFlatButton::CFlatButton() {
    ResetColors(FALSE);
}

int CFlatButton::AttachMenu(UINT menuId, HWND target, int xpStyle, UINT toolbarId, int imageWidth,
                            int imageHeight, COLORREF imageMask, BOOL repaint) {
    if (m_menu.m_hMenu) {
        m_menu.DestroyMenu();
        m_hMenuTarget = nullptr;
        m_bMenuShown = 0;
    }
    if (menuId) {
        TaviMenu::s_nStyleThemed = TaviMenu::s_nStyleUnthemed =
            xpStyle ? TaviMenu::kMenuStyleXP : TaviMenu::kMenuStyleClassic;
        if (!m_menu.LoadMenu(menuId)) return 1;
        if (toolbarId) {
            m_menu.SetImageMask(imageMask);
            m_menu.SetImageSize(imageWidth, imageHeight);
            if (!m_menu.AddToolbarImages(toolbarId)) {
                m_menu.DestroyMenu();
                return 1;
            }
        }
        m_hMenuTarget = target;
    }
    if (repaint && m_hWnd) InvalidateRect(m_hWnd, nullptr, TRUE);
    return 0;
}

int CFlatButton::ResetColors(BOOL repaint) {
    m_crColors[CLR_HOT_BACK] = GetSysColor(COLOR_BTNFACE);
    m_crColors[CLR_HOT_TEXT] = GetSysColor(COLOR_BTNTEXT);
    m_crColors[CLR_NORMAL_BACK] = GetSysColor(COLOR_BTNFACE);
    m_crColors[CLR_NORMAL_TEXT] = GetSysColor(COLOR_BTNTEXT);
    m_crColors[CLR_FOCUS_BACK] = GetSysColor(COLOR_BTNFACE);
    m_crColors[CLR_FOCUS_TEXT] = GetSysColor(COLOR_BTNTEXT);
    if (repaint && m_hWnd) InvalidateRect(m_hWnd, nullptr, TRUE);
    return 0;
}

void CFlatButton::CancelHover() {
    if (!m_bHover) return;
    m_bHover = 0;
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

BOOL CFlatButton::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_LBUTTONDBLCLK) msg->message = WM_LBUTTONDOWN;
    return CWnd::PreTranslateMessage(msg);
}

void CFlatButton::PreSubclassWindow() {
    const LONG style = GetWindowLongW(m_hWnd, GWL_STYLE);
    if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) m_bDefault = 1;
    SetWindowLongW(m_hWnd, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CWnd::PreSubclassWindow();
}

void CFlatButton::DrawItem(const DRAWITEMSTRUCT* draw) {
    m_bPressed = (draw->itemState & ODS_SELECTED) || (m_menu.m_hMenu && m_bMenuShown);
    m_bFocused = (draw->itemState & ODS_FOCUS) != 0;
    m_bDisabled = (draw->itemState & ODS_DISABLED) != 0;
    m_nDpi = WindowDpi(m_hWnd);

    const RECT rc = draw->rcItem;
    COffscreenDC dc(draw->hDC, rc);
    const CSelectedObject font(dc, GetCurrentObject(draw->hDC, OBJ_FONT));
    SetBkMode(dc, TRANSPARENT);
    DrawBackground(dc, rc);
    DrawBorder(dc, rc);
    const std::wstring text = ReadWindowText(m_hWnd);
    if (!text.empty()) {
        RECT caption = rc;
        DrawCaption(dc, text, rc, caption);
    }
}

int CFlatButton::DrawBackground(HDC dc, const RECT& rc) {
    const int back = m_bHover || m_bPressed ? CLR_HOT_BACK : m_bFocused ? CLR_FOCUS_BACK : CLR_NORMAL_BACK;
    FillSolid(dc, rc, m_crColors[back]);
    return 0;
}

int CFlatButton::DrawBorder(HDC dc, const RECT& rc) {
    if (!m_bPressed && !m_bHover) return 0;
    const COLORREF light = GetSysColor(COLOR_BTNHILIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    // One pixel at 96 DPI, as thick as the system's own edges elsewhere.
    RECT frame = rc;
    for (int width = ScaleToDpi(1, m_nDpi); width > 0; --width) {
        if (m_bPressed)
            Draw3dFrame(dc, frame, shadow, light);
        else
            Draw3dFrame(dc, frame, light, shadow);
        InflateRect(&frame, -1, -1);
    }
    return 0;
}

int CFlatButton::DrawCaption(HDC dc, const std::wstring& text, const RECT&, RECT& caption) {
    if (m_bPressed)
        OffsetRect(&caption, ScaleToDpi(m_ptPressOffset.x, m_nDpi), ScaleToDpi(m_ptPressOffset.y, m_nDpi));
    const RECT frame = caption;
    DrawTextW(dc, text.c_str(), -1, &caption, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    OffsetRect(&caption, ((frame.right - frame.left) - (caption.right - caption.left)) / 2,
               ((frame.bottom - frame.top) - (caption.bottom - caption.top)) / 2);
    SetBkMode(dc, TRANSPARENT);
    if (m_bDisabled) {
        // Embossed: a highlight copy one pixel down and right, the shadow on top.
        const int shift = ScaleToDpi(1, m_nDpi);
        OffsetRect(&caption, shift, shift);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextW(dc, text.c_str(), -1, &caption, DT_WORDBREAK | DT_CENTER);
        OffsetRect(&caption, -shift, -shift);
        SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
        DrawTextW(dc, text.c_str(), -1, &caption, DT_WORDBREAK | DT_CENTER);
        return 0;
    }
    const bool hot = m_bHover || m_bPressed;
    SetTextColor(dc, m_crColors[hot ? CLR_HOT_TEXT : m_bFocused ? CLR_FOCUS_TEXT : CLR_NORMAL_TEXT]);
    SetBkColor(dc, m_crColors[hot ? CLR_HOT_BACK : m_bFocused ? CLR_FOCUS_BACK : CLR_NORMAL_BACK]);
    DrawTextW(dc, text.c_str(), -1, &caption, DT_WORDBREAK | DT_CENTER);
    return 0;
}

LRESULT CFlatButton::OnMouseMove(WPARAM keys, LPARAM point) {
    Default();
    POINT pt = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    ClientToScreen(m_hWnd, &pt);
    const HWND under = WindowFromPoint(pt);
    // A drag that enters the button does not light it.
    if ((keys & MK_LBUTTON) && !m_bHover) return 0;
    if (under != m_hWnd) {
        CancelHover();
    } else if (!m_bHover) {
        m_bHover = 1;
        InvalidateRect(m_hWnd, nullptr, TRUE);
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hWnd, 0};
        _TrackMouseEvent(&track);
    }
    return 0;
}

void CFlatButton::OnMouseLeave() {
    CancelHover();
}

void CFlatButton::OnKillFocus() {
    Default();
    CancelHover();
}

void CFlatButton::OnCancelMode() {
    Default();
    CancelHover();
}

void CFlatButton::OnActivate(WPARAM state) {
    Default();
    if (LOWORD(state) == WA_INACTIVE) CancelHover();
}

void CFlatButton::OnEnable(WPARAM enabled) {
    Default();
    if (enabled) return;
    // A disabled button cannot keep the focus, and the keyboard user expects
    // it to go on to the next control rather than nowhere.
    const HWND parent = GetParent(m_hWnd);
    const HWND next = GetNextDlgTabItem(parent, m_hWnd, FALSE);
    SetFocus(next && next != m_hWnd ? next : parent);
    CancelHover();
}

LRESULT CFlatButton::OnGetDlgCode(WPARAM, LPARAM) {
    return Default() | (m_bDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

// The dialog makes a button its default by giving it the default push
// button style; the button keeps drawing itself and only notes the role.
LRESULT CFlatButton::OnSetStyle(WPARAM style, LPARAM repaint) {
    const UINT type = style & BS_TYPEMASK;
    if (type == BS_DEFPUSHBUTTON)
        m_bDefault = 1;
    else if (type == BS_PUSHBUTTON)
        m_bDefault = 0;
    return DefWindowProc(BM_SETSTYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW, repaint);
}

void CFlatButton::OnSysColorChange() {
    Default();
    ResetColors(TRUE);
}

// The face is painted whole in DrawItem: erasing first would only flicker.
LRESULT CFlatButton::OnCtlColor(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

LRESULT CFlatButton::OnDrawItem(WPARAM, LPARAM draw) {
    DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(draw));
    return TRUE;
}

// The parent still gets the click once the menu has closed.
void CFlatButton::OnClicked() {
    SetFocus(m_hWnd);
    TaviMenu* popup = m_menu.m_hMenu ? m_menu.GetPopup(0) : nullptr;
    if (!popup) return;
    RECT rc;
    GetWindowRect(m_hWnd, &rc);
    m_menu.SetDpi(WindowDpi(m_hWnd));
    m_bMenuShown = 1;
    InvalidateRect(m_hWnd, nullptr, TRUE);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(popup->m_hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                       rc.left, rc.bottom, 0, m_hWnd, nullptr));
    m_bMenuShown = 0;
    InvalidateRect(m_hWnd, nullptr, TRUE);
    if (command) PostMessageW(m_hMenuTarget, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

LRESULT CFlatButton::OnMenuChar(WPARAM key, LPARAM menu) {
    const HMENU handle = reinterpret_cast<HMENU>(menu);
    if (TaviMenu::IsOwnPopup(handle))
        return TaviMenu::FindMnemonicItem(LOWORD(key), HIWORD(key), TaviMenu::FromHandle(handle));
    return Default();
}

// The pop-up is owned by the button, so its items' requests come here.
LRESULT CFlatButton::OnMeasureItem(WPARAM, LPARAM measure) {
    return MenuMap::MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(measure)) ? TRUE : Default();
}

LRESULT CFlatButton::OnMenuDrawItem(WPARAM, LPARAM draw) {
    return MenuMap::DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(draw)) ? TRUE : Default();
}
