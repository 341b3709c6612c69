#include "PointerEcho.h"

namespace {
POINT g_echoPoint = {};
volatile LONG g_echoHeard = 0;
}  // namespace

PointerEcho::PointerEcho(POINT point) {
    g_echoPoint = point;
    g_echoHeard = 0;
    const KernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_thread.reset(CreateThread(nullptr, 0, &PointerEcho::Run, ready.get(), 0, &m_threadId));
    WaitForSingleObject(ready.get(), INFINITE);
}

PointerEcho::~PointerEcho() {
    PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(m_thread.get(), INFINITE);
}

// Hooks run in the installing thread's message loop: this thread's.
DWORD WINAPI PointerEcho::Run(LPVOID ready) {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, &PointerEcho::Hook, GetModuleHandleW(nullptr), 0);
    SetEvent(static_cast<HANDLE>(ready));
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    UnhookWindowsHookEx(hook);
    return 0;
}

LRESULT CALLBACK PointerEcho::Hook(int code, WPARAM message, LPARAM lParam) {
    const auto* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && message == WM_MOUSEMOVE && !(mouse->flags & LLMHF_INJECTED) &&
        mouse->pt.x == g_echoPoint.x && mouse->pt.y == g_echoPoint.y)
        InterlockedExchange(&g_echoHeard, 1);
    return CallNextHookEx(nullptr, code, message, lParam);
}

bool PointerEcho::Heard() const {
    return g_echoHeard != 0;
}
