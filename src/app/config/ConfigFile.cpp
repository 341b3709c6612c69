#include "app/config/ConfigFile.h"

#include <windows.h>

#include "framework/ScopedHandles.h"

namespace {
const wchar_t kSection[] = L"user";
const wchar_t kBgModeKey[] = L"bgmode";
const wchar_t kHoldOffKey[] = L"bdisablescreensafe";
const wchar_t kAllowShutdownKey[] = L"ballowshutdown";
const wchar_t kMessageKey[] = L"message";
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
    options.message = CutMessage(ReadProfileValue(path, kSection, kMessageKey));
    return options;
}

void SaveOptions(const std::wstring& path, const LockOptions& options) {
    WritePrivateProfileStringW(kSection, kBgModeKey, options.bgMode.c_str(), path.c_str());
    WritePrivateProfileStringW(kSection, kHoldOffKey, FlagText(options.holdOff), path.c_str());
    WritePrivateProfileStringW(kSection, kAllowShutdownKey, FlagText(options.allowShutdown),
                               path.c_str());
    WritePrivateProfileStringW(kSection, kMessageKey, MessageValue(options.message).c_str(), path.c_str());
}

bool CodePageHolds(unsigned codePage, const std::wstring& text) {
    if (text.empty()) return true;
    // Without flags a character the code page lacks becomes its default or
    // the nearest it has; either way it reads back as another.
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(codePage, 0, text.c_str(), length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return false;
    std::string encoded(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, text.c_str(), length, encoded.data(), bytes, nullptr, nullptr);
    const int chars = MultiByteToWideChar(codePage, 0, encoded.c_str(), bytes, nullptr, 0);
    std::wstring decoded(static_cast<size_t>(chars > 0 ? chars : 0), L'\0');
    MultiByteToWideChar(codePage, 0, encoded.c_str(), bytes, decoded.data(), chars);
    return decoded == text;
}
