#include "app/dialogs/PrimaryPlacement.h"

#include "framework/DialogPlacement.h"

namespace {

HHOOK s_hMessageHook = nullptr;

// A message box places itself before it is activated: move it then.
LRESULT CALLBACK PlaceMessageBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        CenterOnPrimaryMonitor(reinterpret_cast<HWND>(wParam));
        UnhookWindowsHookEx(s_hMessageHook);
        s_hMessageHook = nullptr;
        return 0;
    }
    return CallNextHookEx(s_hMessageHook, code, wParam, lParam);
}

ScreenRect PrimaryWorkArea() {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

}  // namespace

void CenterOnPrimaryMonitor(HWND hWnd) {
    const ScreenRect area = PrimaryWorkArea();
    // Onto the monitor first: a monitor of another DPI resizes the window
    // (WM_DPICHANGED), and the middle is reckoned with the new size.
    SetWindowPos(hWnd, nullptr, area.left, area.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rc;
    GetWindowRect(hWnd, &rc);
    const ScreenRect place = CentredOver(rc.right - rc.left, rc.bottom - rc.top, area, area);
    SetWindowPos(hWnd, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowMessageOnPrimary(HWND owner, const wchar_t* text) {
    s_hMessageHook = SetWindowsHookExW(WH_CBT, PlaceMessageBox, nullptr, GetCurrentThreadId());
    MessageBoxW(owner, text, L"", owner ? MB_OK : MB_OK | MB_SETFOREGROUND | MB_TOPMOST);
    if (s_hMessageHook) {
        UnhookWindowsHookEx(s_hMessageHook);
        s_hMessageHook = nullptr;
    }
}
