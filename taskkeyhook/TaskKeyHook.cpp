#include "TaskKeyHook.h"

#include <windows.h>

namespace {

HINSTANCE g_module = nullptr;
CRITICAL_SECTION g_lock;

// The hook lives on a thread of its own: Windows drops a low-level hook
// whose thread is slow to answer, and the caller's thread may sit in a modal
// dialog or a message box for a long time.
HANDLE g_thread = nullptr;
DWORD g_threadId = 0;
bool g_hookInstalled = false;
HHOOK volatile g_hook = nullptr;
volatile LONG g_unhooked = 0;

// The hook is put in again this often. The newest hook is asked first, so
// this keeps ours ahead of hooks installed later, and brings it back should
// the system ever drop it.
const UINT kRenewMs = 1000;

// Modifier state as the hook has seen it. Kept by hand because the
// system's Alt flag is not reliable everywhere. Hook thread only.
bool g_leftAlt = false, g_rightAlt = false, g_leftCtrl = false, g_rightCtrl = false;

// Synthesised input may name a modifier without its side; it counts as left.
void TrackModifier(DWORD vk, bool down) {
    switch (vk) {
    case VK_MENU:
    case VK_LMENU: g_leftAlt = down; break;
    case VK_RMENU: g_rightAlt = down; break;
    case VK_CONTROL:
    case VK_LCONTROL: g_leftCtrl = down; break;
    case VK_RCONTROL: g_rightCtrl = down; break;
    }
}

bool IsTaskKey(DWORD vk, bool alt, bool ctrl) {
    switch (vk) {
    case VK_LWIN:
    case VK_RWIN: return true;
    case VK_TAB: return alt;
    case VK_ESCAPE: return alt || ctrl;
    default: return false;
    }
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        TrackModifier(key->vkCode, !(key->flags & LLKHF_UP));
        const bool alt = g_leftAlt || g_rightAlt || (key->flags & LLKHF_ALTDOWN);
        if (IsTaskKey(key->vkCode, alt, g_leftCtrl || g_rightCtrl)) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TakeHookAway() {
    if (HHOOK hook = static_cast<HHOOK>(InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&g_hook), nullptr)))
        UnhookWindowsHookEx(hook);
}

// Installs a new hook first, then removes the old one, so no key slips
// through in between.
bool RenewHook() {
    HHOOK fresh = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, g_module, 0);
    if (!fresh) return false;
    if (HHOOK old = static_cast<HHOOK>(InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&g_hook), fresh)))
        UnhookWindowsHookEx(old);
    if (g_unhooked) TakeHookAway();
    return true;
}

DWORD WINAPI HookThread(LPVOID readyEvent) {
    MSG msg;
    // Make the message queue now, so the quit message can be posted as soon
    // as the caller hears that the hook is in place.
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    g_leftAlt = g_rightAlt = g_leftCtrl = g_rightCtrl = false;
    g_unhooked = 0;
    g_hookInstalled = RenewHook();
    SetEvent(static_cast<HANDLE>(readyEvent));
    if (!g_hookInstalled) return 1;
    const UINT_PTR timer = SetTimer(nullptr, 0, kRenewMs, nullptr);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && !msg.hwnd) RenewHook();
    }
    KillTimer(nullptr, timer);
    TakeHookAway();
    return 0;
}

void StopHookThread() {
    PostThreadMessageW(g_threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(g_thread, INFINITE);
    CloseHandle(g_thread);
    g_thread = nullptr;
    g_threadId = 0;
}

bool StartHookThread() {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!ready) return false;
    g_thread = CreateThread(nullptr, 0, HookThread, ready, 0, &g_threadId);
    if (g_thread) WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
    if (g_thread && !g_hookInstalled) StopHookThread();
    return g_thread != nullptr;
}

}  // namespace

int DisableTaskKeys(int disable, int) {
    EnterCriticalSection(&g_lock);
    bool ok = true;
    if (disable && !g_thread) {
        ok = StartHookThread();
    } else if (!disable && g_thread) {
        StopHookThread();
    }
    LeaveCriticalSection(&g_lock);
    return ok;
}

void UnhookTaskKeys() {
    g_unhooked = 1;
    TakeHookAway();
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        InitializeCriticalSection(&g_lock);
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}
