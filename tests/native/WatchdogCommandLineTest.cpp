#include <gtest/gtest.h>

#include "app/WatchdogCommandLine.h"

TEST(WatchdogCommandLine, HandlesComeBackAfterAnyProgramName) {
    const WatchdogHandles handles{1234, 0xFFFFFFFFFFull};
    for (const std::wstring& program :
         {std::wstring(L"\"C:\\Program Files\\q\\quilmar.exe\""), std::wstring(L"quilmar.exe"),
          std::wstring(L"\"E:\\a /watchdog 1 2\\quilmar.exe\"")}) {
        const std::optional<WatchdogHandles> read =
            WatchdogHandlesIn(program + L" " + WatchdogArguments(handles));
        ASSERT_TRUE(read) << program;
        EXPECT_EQ(read->process, handles.process);
        EXPECT_EQ(read->state, handles.state);
    }
}

TEST(WatchdogCommandLine, AnythingElseIsALock) {
    for (const wchar_t* line : {L"", L"\"C:\\q\\quilmar.exe\"", L"quilmar.exe", L"\"C:\\x /watchdog 1 2\\quilmar.exe\"",
                                L"quilmar.exe /watchdogs 1 2", L"quilmar.exe x /watchdog 1 2"})
        EXPECT_FALSE(WatchdogHandlesIn(line)) << line;
}

TEST(WatchdogCommandLine, AWatchdogWithoutItsTwoNumbersWatchesNothing) {
    for (const wchar_t* line : {L"q.exe /watchdog", L"q.exe /watchdog 12", L"q.exe /watchdog 1 x", L"q.exe /watchdog -1 2",
                                L"q.exe /watchdog 1 0x2", L"q.exe /watchdog 1 2 3"}) {
        const std::optional<WatchdogHandles> read = WatchdogHandlesIn(line);
        ASSERT_TRUE(read) << line;
        EXPECT_EQ(read->process, 0u) << line;
        EXPECT_EQ(read->state, 0u) << line;
    }
}
