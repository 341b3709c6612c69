#include "framework/Dpi.h"

#include "framework/ScopedHandles.h"
#include "framework/User32Function.h"

namespace {

// Each looked up once, by the function that calls it.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
const int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

// Each monitor's DPI came with Windows 8.1, in shcore.dll: taken from the
// system's own folder only, never from the program's.
GetDpiForMonitorFn DpiForMonitorFunction() {
    HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return shcore ? reinterpret_cast<GetDpiForMonitorFn>(
                        reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                  : nullptr;
}

}  // namespace

UINT WindowDpi(HWND hWnd) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && hWnd) {
        if (const UINT dpi = getDpiForWindow(hWnd)) return dpi;
    }
    const WindowDC screen(nullptr);
    return static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
}

UINT PrimaryMonitorDpi() {
    static const auto forMonitor = DpiForMonitorFunction();
    UINT x = 0, y = 0;
    if (forMonitor &&
        SUCCEEDED(forMonitor(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), kEffectiveDpi, &x, &y)) && y)
        return y;
    return WindowDpi(nullptr);
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

void MoveToSuggestedRect(HWND hWnd, const RECT& rc) {
    SetWindowPos(hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}
