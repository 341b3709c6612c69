#include "PointerEcho.h"

namespace {
POINT g_echoPoint = {};
volatile LONG g_echoHeard = 0;
}  // namespace

// No move comes before the test makes one: the point may follow the hook.
PointerEcho::PointerEcho(POINT point) : m_hook(WH_MOUSE_LL, &PointerEcho::Hook) {
    g_echoPoint = point;
    g_echoHeard = 0;
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
