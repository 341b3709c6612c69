#include <gtest/gtest.h>

#include "WatchdogCommandLine.h"

// What rundll32 hands the entry: everything after the entry's name.
std::wstring ArgumentsOf(const std::wstring& commandLine, const wchar_t* entry) {
    const std::wstring marker = std::wstring(L",") + entry + L" ";
    const std::size_t at = commandLine.find(marker);
    return at == std::wstring::npos ? L"" : commandLine.substr(at + marker.size());
}

TEST(WatchdogCommandLine, HandlesComeBackWhereverTheFilesAre) {
    const WatchdogHandles handles{1234, 0xFFFFFFFFFFull};
    for (const std::wstring& dll :
         {std::wstring(L"C:\\Program Files\\q\\TaskKeyHook.dll"), std::wstring(L"E:\\TaskKeyHook.dll"),
          std::wstring(L"\\\\server\\share 1\\a,b\\TaskKeyHook.dll")}) {
        const std::wstring line = WatchdogCommandLine(L"C:\\Windows\\system32\\rundll32.exe", dll, L"RunWatchdog", handles);
        EXPECT_EQ(line.find(L"\"" + dll + L"\",RunWatchdog "), std::wstring(L"\"C:\\Windows\\system32\\rundll32.exe\" ").size())
            << line;
        const std::optional<WatchdogHandles> read = WatchdogHandlesIn(ArgumentsOf(line, L"RunWatchdog"));
        ASSERT_TRUE(read) << line;
        EXPECT_EQ(read->process, handles.process);
        EXPECT_EQ(read->state, handles.state);
    }
}

TEST(WatchdogCommandLine, AnythingButTwoNumbersWatchesNothing) {
    for (const wchar_t* arguments : {L"", L"12", L"1 x", L"-1 2", L"1 0x2", L"1 2 3", L"/watchdog 1 2"})
        EXPECT_FALSE(WatchdogHandlesIn(arguments)) << arguments;
    EXPECT_TRUE(WatchdogHandlesIn(L" 1\t2 "));
}
