#include "SystemState.h"

#include <string>

#include "Wait.h"
#include "framework/ScopedHandles.h"

namespace {

const wchar_t kPolicyKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";


DWORD RunDrive(const wchar_t* arguments) {
    std::wstring command = std::wstring(L"\"") + QUILMAR_DRIVE_EXE + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return ~0u;
    const KernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
    WaitForSingleObject(process.hProcess, 30000);
    DWORD code = ~0u;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

}  // namespace

bool PolicyValueSet(const wchar_t* name) {
    DWORD value = 0, size = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, kPolicyKey, name, RRF_RT_REG_DWORD, nullptr, &value,
                        &size) == ERROR_SUCCESS &&
           value == 1;
}

void SetPolicyValue(const wchar_t* name) {
    const DWORD one = 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, kPolicyKey, name, REG_DWORD, &one, sizeof one);
}

void DeletePolicyValues() {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kPolicyKey, L"DisableTaskMgr");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kPolicyKey, L"DisableLockWorkstation");
}

HWND Taskbar() {
    return FindWindowW(L"Shell_TrayWnd", nullptr);
}

bool WaitForTaskbar() {
    static HWND anchor = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                         nullptr, nullptr);
    return anchor && WaitFor([] { return Taskbar() != nullptr; });
}

bool ScreenSaverActive() {
    return RunDrive(L"screensaver-active") == 0;
}

void SetScreenSaverActive(bool active) {
    RunDrive(active ? L"set-screensaver 1" : L"set-screensaver 0");
}
