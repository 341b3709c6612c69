#include "framework/Dpi.h"

#include "framework/ScopedHandles.h"
#include "framework/User32Function.h"

namespace {

// Each looked up once, by the function that calls it.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

}  // namespace

UINT WindowDpi(HWND hWnd) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && hWnd) {
        if (const UINT dpi = getDpiForWindow(hWnd)) return dpi;
    }
    const WindowDC screen(nullptr);
    return static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
}

NONCLIENTMETRICSW NonClientMetricsForDpi(UINT dpi) {
    static const auto forDpi = User32Function<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!forDpi || !forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics;
}

int SystemMetricForDpi(int index, UINT dpi) {
    static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, dpi) : GetSystemMetrics(index);
}

void MoveToSuggestedRect(HWND hWnd, LPARAM suggested) {
    const RECT& rc = *reinterpret_cast<const RECT*>(suggested);
    SetWindowPos(hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}
