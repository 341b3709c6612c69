#include "app/system/PolicyRestoreCommand.h"

#include "app/system/CommandLineWords.h"
#include "app/system/DecimalText.h"

namespace {

const std::wstring kRootedPolicyKey = std::wstring(L"HKCU\\") + kPolicyKey;

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

std::uint32_t DwordOf(const SavedRegistryValue& value) {
    return static_cast<std::uint32_t>(value.data[0]) | static_cast<std::uint32_t>(value.data[1]) << 8 |
           static_cast<std::uint32_t>(value.data[2]) << 16 | static_cast<std::uint32_t>(value.data[3]) << 24;
}

}  // namespace

SavedRegistryValue SavedDword(std::uint32_t value) {
    SavedRegistryValue saved{};
    saved.present = 1;
    saved.type = kRegDword;
    saved.size = 4;
    for (int i = 0; i < 4; ++i) saved.data[i] = static_cast<unsigned char>(value >> (8 * i));
    return saved;
}

std::wstring PolicyRestoreCommand(const std::wstring& systemDir, const std::wstring& valueName,
                                  const SavedRegistryValue& before) {
    const std::wstring reg = Quoted(systemDir + L"\\reg.exe");
    if (before.present && before.type == kRegDword && before.size == 4)
        return reg + L" add " + Quoted(kRootedPolicyKey) + L" /v " + valueName + L" /t REG_DWORD /d " +
               std::to_wstring(DwordOf(before)) + L" /f";
    return reg + L" delete " + Quoted(kRootedPolicyKey) + L" /v " + valueName + L" /f";
}

std::optional<SavedRegistryValue> ReadPolicyRestoreCommand(const std::wstring& command,
                                                           const std::wstring& valueName) {
    const std::vector<std::wstring> w = CommandLineWords(command);
    if (w.size() < 6 || w[2] != kRootedPolicyKey || w[3] != L"/v" || w[4] != valueName ||
        w.back() != L"/f")
        return std::nullopt;
    if (w[1] == L"delete" && w.size() == 6) return SavedRegistryValue{};
    if (w[1] == L"add" && w.size() == 10 && w[5] == L"/t" && w[6] == L"REG_DWORD" && w[7] == L"/d") {
        const std::optional<std::uint64_t> value = DecimalNumber(w[8]);
        if (value && *value <= 0xFFFFFFFFu) return SavedDword(static_cast<std::uint32_t>(*value));
    }
    return std::nullopt;
}
