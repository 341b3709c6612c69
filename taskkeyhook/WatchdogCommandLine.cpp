#include "WatchdogCommandLine.h"

#include "app/system/CommandLineWords.h"
#include "app/system/DecimalText.h"

std::wstring WatchdogCommandLine(const std::wstring& rundll32, const std::wstring& dll, const wchar_t* entry,
                                 const WatchdogHandles& handles) {
    // Paths never hold a quote: quoted, a space in them is harmless.
    return L"\"" + rundll32 + L"\" \"" + dll + L"\"," + entry + L" " + std::to_wstring(handles.process) + L" " +
           std::to_wstring(handles.state);
}

std::optional<WatchdogHandles> WatchdogHandlesIn(const std::wstring& arguments) {
    const std::vector<std::wstring> words = CommandLineWords(arguments);
    if (words.size() != 2) return std::nullopt;
    const std::optional<std::uint64_t> process = DecimalNumber(words[0]), state = DecimalNumber(words[1]);
    if (!process || !state) return std::nullopt;
    return WatchdogHandles{*process, *state};
}
