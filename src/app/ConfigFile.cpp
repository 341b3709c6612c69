#include "app/ConfigFile.h"

#include <windows.h>

#include "framework/ScopedHandles.h"

namespace {
const wchar_t kSection[] = L"user";
const wchar_t kBgModeKey[] = L"bgmode";
const wchar_t kHoldOffKey[] = L"bdisablescreensafe";
const wchar_t kAllowShutdownKey[] = L"ballowshutdown";
}  // namespace

bool FileExists(const std::wstring& path) {
    const KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                        nullptr));
    return file.get() != INVALID_HANDLE_VALUE;
}

bool CreateDefaultConfig(const std::wstring& path) {
    const KernelHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    const std::string_view text = DefaultConfigText();
    DWORD written = 0;
    return WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

std::wstring ReadProfileValue(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
    wchar_t value[100] = {};
    GetPrivateProfileStringW(section, key, L"", value, 100, path.c_str());
    return value;
}

LockOptions LoadOptions(const std::wstring& path) {
    if (!FileExists(path) && !CreateDefaultConfig(path)) return DefaultOptions();
    LockOptions options;
    options.bgMode = ReadProfileValue(path, kSection, kBgModeKey);
    options.holdOff = IsFlagOn(ReadProfileValue(path, kSection, kHoldOffKey));
    options.allowShutdown = IsFlagOn(ReadProfileValue(path, kSection, kAllowShutdownKey));
    return options;
}

void SaveOptions(const std::wstring& path, const LockOptions& options) {
    WritePrivateProfileStringW(kSection, kBgModeKey, options.bgMode.c_str(), path.c_str());
    WritePrivateProfileStringW(kSection, kHoldOffKey, FlagText(options.holdOff), path.c_str());
    WritePrivateProfileStringW(kSection, kAllowShutdownKey, FlagText(options.allowShutdown),
                               path.c_str());
}
