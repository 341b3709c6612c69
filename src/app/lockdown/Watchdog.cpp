#include "app/lockdown/Watchdog.h"

#include <windows.h>

#include "TaskKeyHook.h"
#include "app/lockdown/Lockdown.h"
#include "framework/ScopedHandles.h"

namespace {

KernelHandle g_starting;  // the thread that starts the watchdog

void StartWatchdogNow() {
    // Both handles are inheritable: the watchdog gets them by their values
    // on its command line.
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    const KernelHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, &inherited, PAGE_READWRITE, 0,
                                                  sizeof(LockdownState), nullptr));
    if (!mapping) return;
    MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(LockdownState)));
    HANDLE self = nullptr;
    if (!view || !DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                                  SYNCHRONIZE, TRUE, 0))
        return;
    const KernelHandle selfHandle(self);
    if (!StartWatchdogProcess(self, mapping.get())) return;
    // The view keeps the shared memory for the rest of the lock's life.
    ShareLockdownState(static_cast<LockdownState*>(view.release()));
}

DWORD WINAPI StartingThread(LPVOID) {
    StartWatchdogNow();
    return 0;
}

}  // namespace

void StartWatchdog() {
    g_starting.reset(CreateThread(nullptr, 0, StartingThread, nullptr, 0, nullptr));
    if (!g_starting) StartWatchdogNow();
}

void WaitForWatchdog() {
    if (!g_starting) return;
    WaitForSingleObject(g_starting.get(), INFINITE);
    g_starting.reset();
}
