#include "app/ConfigRules.h"

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

std::wstring DirectoryOf(const std::wstring& path) {
    const size_t end = path.find_last_of(L"\\/:");
    return end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
}
