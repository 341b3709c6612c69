#include "app/Lockdown.h"

#include <windows.h>

#include "TaskKeyHook.h"

namespace {
const wchar_t kPolicyKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
}

void SetPolicyValue(const wchar_t* name, bool on) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kPolicyKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS &&
        RegCreateKeyExW(HKEY_CURRENT_USER, kPolicyKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (on) {
        const DWORD one = 1;
        RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    } else {
        RegDeleteValueW(key, name);
    }
    RegCloseKey(key);
}

void SetLockdown(unsigned flags, int on, int extra) {
    if (flags & LOCK_TASKMGR) SetPolicyValue(L"DisableTaskMgr", on != 0);
    if (flags & LOCK_TASKKEYS) DisableTaskKeys(on, extra);
    if (flags & LOCK_TASKBAR) {
        if (HWND taskbar = FindWindowW(L"Shell_traywnd", nullptr)) EnableWindow(taskbar, !on);
    }
}
