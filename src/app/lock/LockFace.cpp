#include "app/lock/LockFace.h"

#include "app/guard/LockGeometry.h"
#include "framework/Dpi.h"
#include "framework/ScopedHandles.h"

namespace {

// Kept as the face has always been drawn, though nothing gives them text:
// three banner lines at the top left, red, red and yellow, in Arial.
struct Banner {
    int y;
    COLORREF colour;
    const wchar_t* text;
};
const Banner kBanners[] = {{50, RGB(255, 0, 0), L""}, {100, RGB(255, 0, 0), L""}, {150, RGB(255, 255, 0), L""}};

void DrawBanners(HDC dc) {
    const GdiObject<HFONT> font(CreateFontW(50, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                            DEFAULT_PITCH | FF_SWISS, L"Arial"));
    const CSelectedObject selected(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    for (const Banner& banner : kBanners) {
        SetTextColor(dc, banner.colour);
        TextOutW(dc, 100, banner.y, banner.text, lstrlenW(banner.text));
    }
}

// `clientOrigin` is where the window's client area starts in the context's
// coordinates. Only paints of the lock window get here, never the clock's
// ticks.
void DrawMessage(HDC dc, HWND lock, POINT clientOrigin, const std::wstring& message, COLORREF lit) {
    if (message.empty()) return;
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const UINT dpi = PrimaryMonitorDpi();
    LOGFONTW face = NonClientMetricsForDpi(dpi).lfMessageFont;
    face.lfWidth = 0;
    face.lfQuality = ANTIALIASED_QUALITY;
    face.lfHeight = kMessageMeasureHeight;
    const int length = static_cast<int>(message.size());
    SIZE measured = {};
    {
        const GdiObject<HFONT> measuring(CreateFontIndirectW(&face));
        const CSelectedObject selected(dc, measuring.get());
        GetTextExtentPoint32W(dc, message.c_str(), length, &measured);
    }
    face.lfHeight = MessageFontHeight(cx, cy, dpi, measured.cx);
    const GdiObject<HFONT> font(CreateFontIndirectW(&face));
    const CSelectedObject selected(dc, font.get());
    RECT window;
    GetWindowRect(lock, &window);
    const ScreenRect r =
        MessageRect(cx, cy, face.lfHeight, {window.left, window.top, window.right, window.bottom});
    RECT place = {r.left, r.top, r.right, r.bottom};
    OffsetRect(&place, clientOrigin.x, clientOrigin.y);
    SetTextColor(dc, lit);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, message.c_str(), length, &place,
              DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

void PlaceClock(HWND lock, HWND clock) {
    RECT window;
    GetWindowRect(lock, &window);
    const ScreenRect r = ClockRect(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                   {window.left, window.top, window.right, window.bottom});
    SetWindowPos(clock, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER);
}

void PaintLockFace(HWND lock, bool onScreen, const std::wstring& message, COLORREF lit) {
    if (onScreen) {
        const WindowDC screen(nullptr);
        DrawBanners(screen);
        RECT window;
        GetWindowRect(lock, &window);
        DrawMessage(screen, lock, {window.left, window.top}, message, lit);
        return;
    }
    const CPaintDC dc(lock);
    RECT client;
    GetClientRect(lock, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawBanners(dc);
    DrawMessage(dc, lock, {0, 0}, message, lit);
}

void PaintLockIcon(HWND lock, HICON icon) {
    const CPaintDC dc(lock);
    SendMessageW(lock, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), 0);
    RECT client;
    GetClientRect(lock, &client);
    DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
             (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, icon);
}
