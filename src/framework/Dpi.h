#pragma once
// What a window's DPI asks of sizes and fonts. The per-DPI calls came with
// Windows 10; where they are missing the program runs system-aware (its
// manifest's fallback), and the system-wide values are the right ones.
#include <windows.h>

// The DPI `hWnd` is drawn at: its monitor's, or the system's.
UINT WindowDpi(HWND hWnd);
// The primary monitor's DPI, or the system's where the system cannot tell
// one monitor's.
UINT PrimaryMonitorDpi();
// The non-client metrics (menu and message fonts, bar heights) at `dpi`.
NONCLIENTMETRICSW NonClientMetricsForDpi(UINT dpi);
// GetSystemMetrics at `dpi`.
int SystemMetricForDpi(int index, UINT dpi);
// The answer to WM_DPICHANGED: the window takes the rectangle the system
// suggests, so it keeps its size in inches.
void MoveToSuggestedRect(HWND hWnd, const RECT& suggested);
