#include "app/WatchdogCommandLine.h"

#include <vector>

#include "app/DecimalText.h"

namespace {

const wchar_t kWatchdogWord[] = L"/watchdog";

// The rest of the command line after the program's name, quoted or not.
std::wstring AfterProgramName(const std::wstring& commandLine) {
    std::size_t end;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find_first_of(L" \t");
        if (end == std::wstring::npos) end = commandLine.size();
    }
    return commandLine.substr(end);
}

// The words of a command line's rest, split at spaces and tabs. (A string
// stream would do it too, at the price of the whole locale machinery in
// the program.)
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

std::wstring WatchdogArguments(const WatchdogHandles& handles) {
    return std::wstring(kWatchdogWord) + L" " + std::to_wstring(handles.process) + L" " +
           std::to_wstring(handles.state);
}

std::optional<WatchdogHandles> WatchdogHandlesIn(const std::wstring& commandLine) {
    const std::vector<std::wstring> words = Words(AfterProgramName(commandLine));
    if (words.empty() || words[0] != kWatchdogWord) return std::nullopt;
    if (words.size() != 3) return WatchdogHandles{};
    const std::optional<std::uint64_t> process = DecimalNumber(words[1]), state = DecimalNumber(words[2]);
    if (!process || !state) return WatchdogHandles{};
    return WatchdogHandles{*process, *state};
}
