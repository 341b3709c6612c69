#pragma once
// Numbers the program writes into command lines and reads back.
#include <cstdint>
#include <optional>
#include <string>

// Plain decimal digits only: no sign, no space, no leading "0x"; at most 19
// digits, so that any such text fits.
inline std::optional<std::uint64_t> DecimalNumber(const std::wstring& text) {
    if (text.empty() || text.size() > 19) return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - L'0');
    }
    return value;
}
