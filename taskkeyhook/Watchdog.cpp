// A lock's watchdog: it outlives a lock killed by force (TerminateProcess,
// a kill by name, the end of its process tree, a fail-fast crash: no handler
// of the lock runs), gives back what the lock had taken and leaves the
// session to Windows' own lock. It holds no password and no window.
//
// It runs in the system's rundll32 from this DLL, so that killing every
// process of the program's name leaves it running, and it is started by a
// first rundll32 that ends at once, so that with its parent gone it is part
// of no process tree of the lock. Both the DLL and the system's program are
// paged from swap, never from a removable stick that may be pulled.
#include <windows.h>

#include <string>

#include "TaskKeyHook.h"
#include "app/system/ModulePath.h"
#include "app/system/SystemControls.h"
#include "WatchdogCommandLine.h"
#include "framework/ScopedHandles.h"

#define WATCHDOG_ENTRY extern "C" __declspec(dllexport) void CALLBACK

namespace {

HANDLE HandleOf(std::uint64_t value) {
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(value));
}

std::uint64_t HandleValue(HANDLE handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

// Starts rundll32 on `entry` of this DLL; the new process inherits the
// inheritable handles, the lock's among them.
bool StartEntry(const wchar_t* entry, const WatchdogHandles& handles) {
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (!length || length >= MAX_PATH) return false;
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&StartEntry), &self);
    const std::wstring rundll32 = std::wstring(system, length) + L"\\rundll32.exe";
    std::wstring command = WatchdogCommandLine(rundll32, ModulePath(self), entry, handles);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    // A program that never shows a window would otherwise keep the
    // busy-starting pointer on the screen for its first seconds.
    startup.dwFlags = STARTF_FORCEOFFFEEDBACK;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(rundll32.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &started))
        return false;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

void Watch(const WatchdogHandles& handles) {
    // No error box: a watchdog must not wait for a click should it crash.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    const KernelHandle lock(HandleOf(handles.process)), mapping(HandleOf(handles.state));
    const MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(LockdownState)));
    if (!view || WaitForSingleObject(lock.get(), INFINITE) != WAIT_OBJECT_0) return;
    // After the password, or a cancelled start, nothing is taken any more.
    if (GiveBackTaken(*static_cast<LockdownState*>(view.get()))) HandOverToWindowsLock();
}

}  // namespace

int StartWatchdogProcess(HANDLE lock, HANDLE lockdownState) {
    return StartEntry(L"DetachWatchdog", {HandleValue(lock), HandleValue(lockdownState)});
}

// The first step: starts the watchdog and ends. When it cannot start it,
// it watches itself, still under another name than the lock's.
WATCHDOG_ENTRY DetachWatchdogW(HWND, HINSTANCE, LPWSTR arguments, int) {
    const std::optional<WatchdogHandles> handles = WatchdogHandlesIn(arguments);
    if (handles && !StartEntry(L"RunWatchdog", *handles)) Watch(*handles);
}

WATCHDOG_ENTRY RunWatchdogW(HWND, HINSTANCE, LPWSTR arguments, int) {
    if (const std::optional<WatchdogHandles> handles = WatchdogHandlesIn(arguments)) Watch(*handles);
}
