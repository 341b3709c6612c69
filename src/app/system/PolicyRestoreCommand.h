#pragma once
// The command a RunOnce value holds while a policy value is taken: should
// the lock and its watchdog both die (a power cut), the next logon runs it
// and puts the value back as it was before the lock. It names the system's
// reg.exe by its full path, since the program's own folder may be gone by
// then (a removed USB stick).
#include <optional>
#include <string>

#include "app/system/LockdownState.h"

// The per-user policy key, under HKEY_CURRENT_USER.
inline constexpr wchar_t kPolicyKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// A DWORD value comes back as that DWORD; no value, or a value of any other
// type, is deleted: reg.exe's command line cannot carry every string or
// binary faithfully, and the system reads these policies as DWORDs, so
// deleting is what leaves no lock behind.
std::wstring PolicyRestoreCommand(const std::wstring& systemDir, const std::wstring& valueName,
                                  const SavedRegistryValue& before);

// What a restore command for valueName says was there before its lock:
// what the command puts back. Nothing for any other text.
std::optional<SavedRegistryValue> ReadPolicyRestoreCommand(const std::wstring& command,
                                                           const std::wstring& valueName);

// A saved DWORD value, as the registry holds it.
SavedRegistryValue SavedDword(std::uint32_t value);
