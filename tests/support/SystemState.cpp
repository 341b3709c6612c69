#include "SystemState.h"

#include <string>

#include "Wait.h"
#include "framework/ScopedHandles.h"

namespace {

const wchar_t kPolicyKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const wchar_t kRunOnceKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const wchar_t* const kPolicyValues[] = {L"DisableTaskMgr", L"DisableLockWorkstation"};

std::wstring RunOnceName(const wchar_t* policyValue) {
    return std::wstring(L"Quilmar ") + policyValue;
}

DWORD RunDrive(const wchar_t* arguments) {
    return RunCommand(std::wstring(L"\"") + QUILMAR_DRIVE_EXE + L"\" " + arguments);
}

}  // namespace

DWORD RunCommand(std::wstring command) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return ~0u;
    const KernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
    DWORD code = ~0u;
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    return code;
}

bool StartUnixCommand(const std::wstring& command) {
    std::wstring line = L"\"" QUILMAR_UNIX_SHELL L"\" -c \"" + command + L" </dev/null >/dev/null 2>&1\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    const KernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
    return true;
}

bool PolicyValueSet(const wchar_t* name) {
    return PolicyDword(name) == 1u;
}

std::optional<DWORD> PolicyDword(const wchar_t* name) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kPolicyKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void SetPolicyValue(const wchar_t* name, DWORD value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kPolicyKey, name, REG_DWORD, &value, sizeof value);
}

void DeletePolicyValues() {
    for (const wchar_t* name : kPolicyValues) RegDeleteKeyValueW(HKEY_CURRENT_USER, kPolicyKey, name);
}

std::wstring RunOnceCommand(const wchar_t* policyValue) {
    wchar_t command[1024] = {};
    DWORD size = sizeof command;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunOnceKey, RunOnceName(policyValue).c_str(), RRF_RT_REG_SZ, nullptr,
                     command, &size) != ERROR_SUCCESS)
        return L"";
    return command;
}

void DeleteRunOnceCommands() {
    for (const wchar_t* name : kPolicyValues)
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunOnceKey, RunOnceName(name).c_str());
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
