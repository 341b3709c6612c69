#include "Wait.h"

#include <algorithm>

double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    return WaitFor(condition, [](MSG& msg) { DispatchMessageW(&msg); }, timeoutMs);
}

bool WaitFor(const std::function<bool()>& condition, const std::function<void(MSG&)>& handle, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        // Keep this thread's own windows (if any) answering while waiting.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) handle(msg);
        if (condition()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        // A message for the thread ends the pause early.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 20)),
                                  QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms) {
    WaitFor([] { return false; }, ms);
}

std::string Describe(const ::testing::AssertionResult& check) {
    return check.message();
}

namespace {

// As GoogleTest writes wide strings.
std::string Utf8(const wchar_t* text) {
    char bytes[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

}  // namespace

std::string Describe(HWND window) {
    if (!window) return "no window";
    wchar_t text[256] = {}, className[256] = {};
    std::string shown = ::testing::PrintToString(static_cast<const void*>(window));
    if (!IsWindow(window)) return shown + " (gone)";
    GetClassNameW(window, className, 256);
    GetWindowTextW(window, text, 256);
    return shown + " " + Utf8(className) + " \"" + Utf8(text) + "\"";
}
