#include "app/Watchdog.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/Lockdown.h"
#include "app/ModulePath.h"
#include "framework/ScopedHandles.h"

namespace {

std::uint64_t HandleValue(HANDLE handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

HANDLE HandleOf(std::uint64_t value) {
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(value));
}

struct ViewDeleter {
    void operator()(void* view) const { UnmapViewOfFile(view); }
};
// A view of the memory that holds a LockdownState.
using StateView = std::unique_ptr<void, ViewDeleter>;

StateView MapState(HANDLE mapping) {
    return StateView(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(LockdownState)));
}

}  // namespace

void StartWatchdog() {
    // Both handles are inheritable: the watchdog gets them by their values
    // on its command line. The lock makes no other inheritable handle.
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    const KernelHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, &inherited, PAGE_READWRITE, 0,
                                                  sizeof(LockdownState), nullptr));
    if (!mapping) return;
    StateView view = MapState(mapping.get());
    HANDLE self = nullptr;
    if (!view || !DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                                  SYNCHRONIZE, TRUE, 0))
        return;
    const KernelHandle selfHandle(self);
    const std::wstring program = ModulePath();
    std::wstring command =
        L"\"" + program + L"\" " + WatchdogArguments({HandleValue(self), HandleValue(mapping.get())});
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    // A program that never shows a window would otherwise keep the
    // busy-starting pointer on the screen for its first seconds.
    startup.dwFlags = STARTF_FORCEOFFFEEDBACK;
    PROCESS_INFORMATION watchdog = {};
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &watchdog))
        return;
    CloseHandle(watchdog.hThread);
    CloseHandle(watchdog.hProcess);
    // The view keeps the shared memory for the rest of the lock's life.
    ShareLockdownState(static_cast<LockdownState*>(view.release()));
}

void RunWatchdog(const WatchdogHandles& handles) {
    const KernelHandle lock(HandleOf(handles.process)), mapping(HandleOf(handles.state));
    const StateView state = MapState(mapping.get());
    if (state && WaitForSingleObject(lock.get(), INFINITE) == WAIT_OBJECT_0)
        GiveBackTaken(*static_cast<LockdownState*>(state.get()));
}
