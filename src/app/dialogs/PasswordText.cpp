#include "app/dialogs/PasswordText.h"

namespace {
const wchar_t kWhiteSpace[] = L" \t\n\v\f\r";
}

std::wstring TrimWhiteSpace(const std::wstring& text) {
    const size_t first = text.find_first_not_of(kWhiteSpace);
    if (first == std::wstring::npos) return std::wstring();
    const size_t last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

void WipeText(std::wstring& text) {
    // Volatile writes, so the compiler cannot drop them as dead stores.
    volatile wchar_t* chars = text.data();
    for (size_t i = 0; i < text.size(); ++i) chars[i] = 0;
    text.clear();
}

bool Unlocks(const std::wstring& typed, const std::wstring& password) {
    return !password.empty() && typed == password;
}
