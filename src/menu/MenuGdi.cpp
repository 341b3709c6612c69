#include "menu/MenuGdi.h"

#include "framework/CWinApp.h"
#include "framework/Dpi.h"

HWND MeasuringWindow() {
    const CWnd* main = AfxGetMainWnd();
    return main && main->m_hWnd ? main->m_hWnd : GetDesktopWindow();
}

GdiObject<HFONT> CreateMenuFont(UINT dpi) {
    const NONCLIENTMETRICSW metrics = NonClientMetricsForDpi(dpi);
    return GdiObject<HFONT>(CreateFontIndirectW(&metrics.lfMenuFont));
}

void FillSolid(HDC dc, const RECT& rc, COLORREF color) {
    const GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc, &rc, brush.get());
}

void FrameSolid(HDC dc, const RECT& rc, COLORREF color) {
    const GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FrameRect(dc, &rc, brush.get());
}

void Draw3dFrame(HDC dc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight) {
    FillSolid(dc, {rc.left, rc.top, rc.right - 1, rc.top + 1}, topLeft);
    FillSolid(dc, {rc.left, rc.top, rc.left + 1, rc.bottom - 1}, topLeft);
    FillSolid(dc, {rc.right - 1, rc.top, rc.right, rc.bottom}, bottomRight);
    FillSolid(dc, {rc.left, rc.bottom - 1, rc.right, rc.bottom}, bottomRight);
}
