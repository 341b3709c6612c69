#include "app/ConfigRules.h"

#include <climits>

std::string_view DefaultConfigText() {
    return "[user]\r\nbgmode=1\r\nbdisablescreensafe=1\r\nballowshutdown=0\r\n";
}

LockOptions DefaultOptions() {
    return {L"1", true, false};
}

bool IsFlagOn(const std::wstring& value) {
    return value == L"1";
}

const wchar_t* FlagText(bool on) {
    return on ? L"1" : L"0";
}

int BgModeNumber(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

std::wstring DirectoryOf(const std::wstring& path) {
    const size_t end = path.find_last_of(L"\\/:");
    return end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
}
