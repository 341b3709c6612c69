#include "app/WatchdogCommandLine.h"

#include <sstream>

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

bool ReadHandle(std::wistringstream& in, std::uint64_t& value) {
    std::wstring word;
    if (!(in >> word)) return false;
    const std::optional<std::uint64_t> number = DecimalNumber(word);
    if (!number) return false;
    value = *number;
    return true;
}

}  // namespace

std::wstring WatchdogArguments(const WatchdogHandles& handles) {
    return std::wstring(kWatchdogWord) + L" " + std::to_wstring(handles.process) + L" " +
           std::to_wstring(handles.state);
}

std::optional<WatchdogHandles> WatchdogHandlesIn(const std::wstring& commandLine) {
    std::wistringstream in(AfterProgramName(commandLine));
    std::wstring word;
    if (!(in >> word) || word != kWatchdogWord) return std::nullopt;
    WatchdogHandles handles;
    std::wstring rest;
    if (!ReadHandle(in, handles.process) || !ReadHandle(in, handles.state) || in >> rest) return WatchdogHandles{};
    return handles;
}
