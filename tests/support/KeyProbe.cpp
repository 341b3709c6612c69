#include "KeyProbe.h"

#include <algorithm>
#include <string>

#include "Input.h"
#include "Wait.h"

namespace {
// The hook procedure has no context pointer: one probe at a time.
CRITICAL_SECTION* ProbeLock() {
    static CRITICAL_SECTION lock = [] {
        CRITICAL_SECTION cs;
        InitializeCriticalSection(&cs);
        return cs;
    }();
    return &lock;
}
std::wstring g_probeKeys;  // virtual keys seen going down
const WORD kSyncKey = VK_F24;
}  // namespace

KeyProbe::KeyProbe() {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = CreateThread(nullptr, 0, &KeyProbe::Run, ready, 0, &m_threadId);
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

KeyProbe::~KeyProbe() {
    PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
    Clear();
}

DWORD WINAPI KeyProbe::Run(LPVOID ready) {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, &KeyProbe::Hook, GetModuleHandleW(nullptr), 0);
    SetEvent(static_cast<HANDLE>(ready));
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    UnhookWindowsHookEx(hook);
    return 0;
}

LRESULT CALLBACK KeyProbe::Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && !(key->flags & LLKHF_UP)) {
        EnterCriticalSection(ProbeLock());
        g_probeKeys.push_back(static_cast<wchar_t>(key->vkCode));
        LeaveCriticalSection(ProbeLock());
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool KeyProbe::SawKeyDown(DWORD vk) const {
    EnterCriticalSection(ProbeLock());
    const bool saw = g_probeKeys.find(static_cast<wchar_t>(vk)) != std::wstring::npos;
    LeaveCriticalSection(ProbeLock());
    return saw;
}

bool KeyProbe::Sync() {
    PressKey(kSyncKey);
    const bool seen = WaitFor([this] { return SawKeyDown(kSyncKey); });
    EnterCriticalSection(ProbeLock());
    g_probeKeys.erase(std::remove(g_probeKeys.begin(), g_probeKeys.end(), kSyncKey), g_probeKeys.end());
    LeaveCriticalSection(ProbeLock());
    return seen;
}

void KeyProbe::Clear() {
    EnterCriticalSection(ProbeLock());
    g_probeKeys.clear();
    LeaveCriticalSection(ProbeLock());
}
