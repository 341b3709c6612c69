#include "HookThread.h"

HookThread::HookThread(int type, HOOKPROC proc)
    : m_type(type), m_proc(proc), m_ready(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    m_thread.reset(CreateThread(nullptr, 0, &HookThread::Run, this, 0, &m_threadId));
    WaitForSingleObject(m_ready.get(), INFINITE);
}

HookThread::~HookThread() {
    PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(m_thread.get(), INFINITE);
}

DWORD WINAPI HookThread::Run(LPVOID param) {
    auto* self = static_cast<HookThread*>(param);
    MSG msg;
    // The queue first, so the quit message finds it.
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    HHOOK hook = SetWindowsHookExW(self->m_type, self->m_proc, GetModuleHandleW(nullptr), 0);
    SetEvent(self->m_ready.get());
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    UnhookWindowsHookEx(hook);
    return 0;
}
