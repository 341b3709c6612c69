#include "app/config/ConfigRules.h"

std::string_view DefaultConfigText() {
    return "[user]\r\nbgmode=1\r\nbdisablescreensafe=1\r\nballowshutdown=0\r\n";
}

LockOptions DefaultOptions() {
    return {L"1", true, false, L""};
}

bool IsFlagOn(const std::wstring& value) {
    return value == L"1";
}

const wchar_t* FlagText(bool on) {
    return on ? L"1" : L"0";
}

namespace {

bool IsHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Where the first `limit` characters end.
std::size_t CharactersEnd(const std::wstring& text, std::size_t limit) {
    std::size_t end = 0;
    for (std::size_t n = 0; n < limit && end < text.size(); ++n) {
        const bool pair = IsHighSurrogate(text[end]) && end + 1 < text.size() && IsLowSurrogate(text[end + 1]);
        end += pair ? 2 : 1;
    }
    return end;
}

}  // namespace

std::wstring CutMessage(const std::wstring& value) {
    return value.substr(0, CharactersEnd(value, kMessageLimit));
}

const wchar_t* MessageRefusal(const std::wstring& message, bool fileCanHold) {
    if (!fileCanHold) return L"锁屏留言中有无法保存的字符！";
    if (CharactersEnd(message, kMessageLimit) < message.size()) return L"锁屏留言不能超过 80 个字符！";
    return nullptr;
}

std::wstring MessageValue(const std::wstring& message) {
    const bool quoted = message.size() >= 2 && (message.front() == L'"' || message.front() == L'\'') &&
                        message.back() == message.front();
    return quoted ? L'"' + message + L'"' : message;
}

std::wstring DirectoryOf(const std::wstring& path) {
    const size_t end = path.find_last_of(L"\\/:");
    return end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
}
