#include "WatchdogCommandLine.h"

#include <vector>

#include "app/system/DecimalText.h"

namespace {

// The words of the arguments, split at spaces and tabs. (A string stream
// would do it too, at the price of the whole locale machinery in the
// program.)
std::vector<std::wstring> Words(const std::wstring& text) {
    std::vector<std::wstring> words;
    const wchar_t* const blanks = L" \t";
    for (std::size_t start = text.find_first_not_of(blanks); start != std::wstring::npos;) {
        const std::size_t end = text.find_first_of(blanks, start);
        words.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        start = end == std::wstring::npos ? end : text.find_first_not_of(blanks, end);
    }
    return words;
}

}  // namespace

std::wstring WatchdogCommandLine(const std::wstring& rundll32, const std::wstring& dll, const wchar_t* entry,
                                 const WatchdogHandles& handles) {
    // Paths never hold a quote: quoted, a space in them is harmless.
    return L"\"" + rundll32 + L"\" \"" + dll + L"\"," + entry + L" " + std::to_wstring(handles.process) + L" " +
           std::to_wstring(handles.state);
}

std::optional<WatchdogHandles> WatchdogHandlesIn(const std::wstring& arguments) {
    const std::vector<std::wstring> words = Words(arguments);
    if (words.size() != 2) return std::nullopt;
    const std::optional<std::uint64_t> process = DecimalNumber(words[0]), state = DecimalNumber(words[1]);
    if (!process || !state) return std::nullopt;
    return WatchdogHandles{*process, *state};
}
