#include "TaskKeyHook.h"

#include <windows.h>

#include "KeyDecision.h"
#include "MouseDecision.h"
#include "framework/DwmCloaking.h"
#include "framework/ScopedHandles.h"

namespace {

HINSTANCE g_module = nullptr;
CriticalSection g_lock;

// The hooks live on a thread of their own: Windows drops a low-level hook
// whose thread is slow to answer, and the caller's thread may sit in a modal
// dialog or a message box for a long time.
KernelHandle g_thread;
DWORD g_threadId = 0;
bool g_hooksInstalled = false;
HHOOK volatile g_keyboardHook = nullptr;
HHOOK volatile g_mouseHook = nullptr;
volatile LONG g_unhooked = 0;
// DWM's cloaking, for the mouse hook, which runs on the hook thread: loaded
// by that thread, since no library may be loaded in DllMain.
const DwmCloaking* g_cloaking = nullptr;

// The hooks are put in again this often. The newest hook is asked first, so
// this keeps ours ahead of hooks installed later, and brings them back
// should the system ever drop them.
const UINT kRenewMs = 1000;

bool IsOurs(HWND window) {
    DWORD process = 0;
    if (window) GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

// The system's state of a key other than the one being decided; the hook
// runs before the system records the current key.
bool HeldDown(int vk) {
    return GetAsyncKeyState(vk) & 0x8000;
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const KeyContext context{IsOurs(GetForegroundWindow()),
                                 HeldDown(VK_LMENU),
                                 HeldDown(VK_RMENU),
                                 HeldDown(VK_LCONTROL),
                                 HeldDown(VK_RCONTROL),
                                 HeldDown(VK_LWIN) || HeldDown(VK_RWIN)};
        if (IsSwallowedKey(key->vkCode, context)) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool IsButtonOrWheel(WPARAM message) {
    switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP:
    case WM_XBUTTONDOWN: case WM_XBUTTONUP:
    case WM_MOUSEWHEEL: case WM_MOUSEHWHEEL: return true;
    default: return false;
    }
}

// The top-level window a button or the wheel would land on: the one
// holding the mouse capture in the foreground thread, or else the topmost
// one under the pointer that takes clicks. Found from the z-order alone:
// asking windows (as WindowFromPoint does) could keep the hook waiting on a
// busy or hung program. DWM is asked only about a window that would take
// the click but for a cloak.
HWND MouseTarget(POINT pt) {
    GUITHREADINFO foreground = {};
    foreground.cbSize = sizeof foreground;
    if (GetGUIThreadInfo(0, &foreground) && foreground.hwndCapture)
        return GetAncestor(foreground.hwndCapture, GA_ROOT);
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        RECT r;
        const bool shown = IsWindowVisible(w) != FALSE;
        const bool underPointer = shown && GetWindowRect(w, &r) && PtInRect(&r, pt);
        const TopWindow window{shown, static_cast<unsigned>(GetWindowLongW(w, GWL_EXSTYLE)), underPointer,
                               underPointer && g_cloaking && g_cloaking->IsCloaked(w)};
        if (TakesClick(window)) return w;
    }
    return nullptr;
}

// The pointer still moves everywhere; only what would press, release or
// scroll something of another program is swallowed.
LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && IsButtonOrWheel(wParam)) {
        const auto* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if (!IsOurs(MouseTarget(mouse->pt))) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HHOOK Exchange(HHOOK volatile& slot, HHOOK hook) {
    return static_cast<HHOOK>(
        InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&slot), hook));
}

void TakeHookAway(HHOOK volatile& slot) {
    if (HHOOK hook = Exchange(slot, nullptr)) UnhookWindowsHookEx(hook);
}

void TakeHooksAway() {
    TakeHookAway(g_keyboardHook);
    TakeHookAway(g_mouseHook);
}

// Installs a new hook first, then removes the old one, so no input slips
// through in between.
bool RenewHook(HHOOK volatile& slot, int type, HOOKPROC proc) {
    HHOOK fresh = SetWindowsHookExW(type, proc, g_module, 0);
    if (!fresh) return false;
    if (HHOOK old = Exchange(slot, fresh)) UnhookWindowsHookEx(old);
    return true;
}

bool RenewHooks() {
    const bool renewed = RenewHook(g_keyboardHook, WH_KEYBOARD_LL, KeyboardProc) &&
                         RenewHook(g_mouseHook, WH_MOUSE_LL, MouseProc);
    if (g_unhooked) TakeHooksAway();
    return renewed;
}

DWORD WINAPI HookThread(LPVOID readyEvent) {
    // Windows drops a hook that keeps input waiting too long: nothing on the
    // machine may hold this thread up.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    MSG msg;
    // Make the message queue now, so the quit message can be posted as soon
    // as the caller hears that the hooks are in place.
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    g_unhooked = 0;
    g_hooksInstalled = RenewHooks();
    if (!g_hooksInstalled) TakeHooksAway();
    SetEvent(static_cast<HANDLE>(readyEvent));
    if (!g_hooksInstalled) return 1;
    const UINT_PTR timer = SetTimer(nullptr, 0, kRenewMs, nullptr);
    // The hooks are called on this thread, while this loop waits for
    // messages, and nowhere else: what lives here lives as long as they run.
    const DwmCloaking cloaking;
    g_cloaking = &cloaking;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && !msg.hwnd) RenewHooks();
    }
    g_cloaking = nullptr;
    KillTimer(nullptr, timer);
    TakeHooksAway();
    return 0;
}

void StopHookThread() {
    PostThreadMessageW(g_threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(g_thread.get(), INFINITE);
    g_thread.reset();
    g_threadId = 0;
}

bool StartHookThread() {
    const KernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!ready) return false;
    g_thread.reset(CreateThread(nullptr, 0, HookThread, ready.get(), 0, &g_threadId));
    if (g_thread) WaitForSingleObject(ready.get(), INFINITE);
    if (g_thread && !g_hooksInstalled) StopHookThread();
    return g_thread != nullptr;
}

}  // namespace

int DisableTaskKeys(int disable, int) {
    const CSectionLock lock(g_lock);
    bool ok = true;
    if (disable && !g_thread) {
        ok = StartHookThread();
    } else if (!disable && g_thread) {
        StopHookThread();
    }
    return ok;
}

void UnhookTaskKeys() {
    g_unhooked = 1;
    TakeHooksAway();
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}
