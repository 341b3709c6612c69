// The yardstick the lock's benchmarks hold it against: a program that only
// shows one window. With the argument "tick" the window covers the screen
// and changes the way the lock's clock does, ten times a second: a
// multimedia timer posts to the window, which copies one digit-sized
// picture onto the screen. It keeps nothing that grows, so what memory it
// gains over hours is Wine's.
#include <windows.h>

#include <mmsystem.h>

#include <cwchar>

namespace {
constexpr UINT kTickMessage = WM_APP;
constexpr int kDigitWidth = 140, kDigitHeight = 256;  // a clock digit on a 1920 x 1080 screen

HDC g_pictures[2];  // the two faces the digit shows in turn
unsigned g_ticks;

HDC Picture(HDC screen, COLORREF colour) {
    HDC dc = CreateCompatibleDC(screen);
    SelectObject(dc, CreateCompatibleBitmap(screen, kDigitWidth, kDigitHeight));
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all = {0, 0, kDigitWidth, kDigitHeight};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    return dc;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kTickMessage) return DefWindowProcW(window, message, wParam, lParam);
    HDC screen = GetDC(window);
    BitBlt(screen, 0, 0, kDigitWidth, kDigitHeight, g_pictures[++g_ticks % 2], 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
    return 0;
}

void CALLBACK Tick(UINT, UINT, DWORD_PTR window, DWORD_PTR, DWORD_PTR) {
    PostMessageW(reinterpret_cast<HWND>(window), kTickMessage, 0, 0);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    const bool tick = std::wcscmp(commandLine, L"tick") == 0;
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = L"QuilmarBareWindow";
    RegisterClassW(&windowClass);
    const int width = tick ? GetSystemMetrics(SM_CXSCREEN) : 200;
    const int height = tick ? GetSystemMetrics(SM_CYSCREEN) : 200;
    HWND window = CreateWindowExW(tick ? WS_EX_TOPMOST | WS_EX_LAYERED : 0, L"QuilmarBareWindow", L"bare",
                                  WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr, instance,
                                  nullptr);
    if (tick) {
        SetLayeredWindowAttributes(window, 0, 180, LWA_ALPHA);
        HDC screen = GetDC(window);
        g_pictures[0] = Picture(screen, RGB(0, 52, 0));
        g_pictures[1] = Picture(screen, RGB(255, 255, 0));
        ReleaseDC(window, screen);
        timeBeginPeriod(5);
        timeSetEvent(100, 5, Tick, reinterpret_cast<DWORD_PTR>(window), TIME_PERIODIC | TIME_CALLBACK_FUNCTION);
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
