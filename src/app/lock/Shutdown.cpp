#include "app/lock/Shutdown.h"

#include <windows.h>

#include "framework/ScopedHandles.h"

namespace {

bool g_shutdownRequested = false;

}  // namespace

unsigned GetWindowsMajorVersion() {
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&info);
#pragma GCC diagnostic pop
    return info.dwMajorVersion;
}

void ShutdownComputer() {
    if (GetWindowsMajorVersion() >= 5) {
        HANDLE opened = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened))
            return;
        const KernelHandle token(opened);
        TOKEN_PRIVILEGES privileges = {};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid);
        AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
    }
    if (ExitWindowsEx(EWX_SHUTDOWN, 0)) g_shutdownRequested = true;
}

bool SessionIsEnding() {
    return GetSystemMetrics(SM_SHUTTINGDOWN) != 0 || g_shutdownRequested;
}
