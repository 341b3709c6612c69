#pragma once
#include <windows.h>
#include "framework/ScopedHandles.h"

// A low-level hook of this process on a thread of its own: the system calls
// such a hook in the installing thread's message loop, which the test's
// thread, busy waiting for conditions, does not run.
class HookThread {
public:
    // Returns once the hook is in place.
    HookThread(int type, HOOKPROC proc);
    ~HookThread();
    HookThread(const HookThread&) = delete;
    HookThread& operator=(const HookThread&) = delete;

private:
    static DWORD WINAPI Run(LPVOID self);

    const int m_type;
    const HOOKPROC m_proc;
    KernelHandle m_ready;
    KernelHandle m_thread;
    DWORD m_threadId = 0;
};
