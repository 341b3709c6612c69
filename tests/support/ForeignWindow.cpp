#include "ForeignWindow.h"
#include "framework/ScopedHandles.h"

ForeignWindow::ForeignWindow(const wchar_t* className, bool shown)
    : m_className(className), m_shown(shown), m_ready(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    m_thread.reset(CreateThread(nullptr, 0, &ForeignWindow::Run, this, 0, nullptr));
    WaitForSingleObject(m_ready.get(), INFINITE);
}

ForeignWindow::~ForeignWindow() {
    PostMessageW(m_window, WM_CLOSE, 0, 0);
    WaitForSingleObject(m_thread.get(), INFINITE);
}

namespace {
// Asks a foreign window's own thread to take the foreground: activation
// asked from another thread would come some time later.
const UINT kTakeForegroundMessage = WM_APP;
// Asks the window's own thread to register a hotkey (modifiers, key): the
// system takes hotkeys for a window only from the thread that owns it.
const UINT kAddHotKeyMessage = WM_APP + 1;
}  // namespace

void ForeignWindow::TakeForeground() {
    SendMessageW(m_window, kTakeForegroundMessage, 0, 0);
}

int ForeignWindow::AddHotKey(UINT modifiers, UINT vk) {
    // The window's thread answers with the hotkey's number plus one, or 0.
    return static_cast<int>(SendMessageW(m_window, kAddHotKeyMessage, modifiers, vk)) - 1;
}

DWORD WINAPI ForeignWindow::Run(LPVOID param) {
    auto* self = static_cast<ForeignWindow*>(param);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &ForeignWindow::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = self->m_className;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);  // fails harmlessly when an earlier window registered it
    self->m_window = CreateWindowExW(
        self->m_shown ? WS_EX_TOPMOST : 0, self->m_className, L"", WS_POPUP | (self->m_shown ? WS_VISIBLE : 0), 0,
        0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(self->m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    SetTimer(self->m_window, 1, 5, nullptr);
    SetEvent(self->m_ready.get());
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

LRESULT CALLBACK ForeignWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ForeignWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: InterlockedIncrement(&self->m_keys); break;
    case WM_LBUTTONDOWN: InterlockedIncrement(&self->m_clicks); break;
    case WM_HOTKEY:
        if (wParam < static_cast<WPARAM>(self->m_hotKeyCount)) InterlockedIncrement(&self->m_hotKeys[wParam]);
        return 0;
    case kAddHotKeyMessage:
        if (self->m_hotKeyCount == kMaxHotKeys ||
            !RegisterHotKey(window, self->m_hotKeyCount, static_cast<UINT>(wParam), static_cast<UINT>(lParam)))
            return 0;
        return ++self->m_hotKeyCount;
    case WM_TIMER:
        if (!self->m_steal) return 0;
        [[fallthrough]];
    case kTakeForegroundMessage:
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetForegroundWindow(window);
        return 0;
    case WM_DESTROY:
        // Gives the keys back to the next test that wants them.
        for (int number = 0; number < self->m_hotKeyCount; ++number) UnregisterHotKey(window, number);
        PostQuitMessage(0);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
