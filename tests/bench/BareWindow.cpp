// The yardstick for start-up time: a program that only shows one window.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"QuilmarBareWindow";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, L"QuilmarBareWindow", L"bare", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr,
                    nullptr, instance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
