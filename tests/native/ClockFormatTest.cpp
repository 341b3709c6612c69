// Texts, tick lengths and the count-from-time rule of the elapsed-time display.
#include <gtest/gtest.h>

#include "clock/ElapsedTimeFormat.h"

TEST(ClockFormat, TenthsModeReadsMinutesThenHours) {
    const std::pair<std::uint32_t, const wchar_t*> texts[] = {
        {0, L"00:00.0"},          {1, L"00:00.1"},          {600, L"01:00.0"},
        {2074, L"03:27.4"},       {35999, L"59:59.9"},      {36000, L"01:00:00.0"},
        {36000 * 23 + 35999, L"23:59:59.9"},
    };
    for (const auto& [ticks, text] : texts) EXPECT_EQ(FormatElapsedTime(1, ticks), text) << ticks;
    EXPECT_EQ(ResetText(1), L"00:00.0");
}

TEST(ClockFormat, SecondsAndHundredthsModes) {
    EXPECT_EQ(FormatElapsedTime(0, 0), L"00:00");
    EXPECT_EQ(FormatElapsedTime(0, 9), L"00:00");
    EXPECT_EQ(FormatElapsedTime(0, 2074), L"03:27");
    EXPECT_EQ(ResetText(0), L"00:00");
    EXPECT_EQ(TickPeriodMs(0), 100);

    EXPECT_EQ(FormatElapsedTime(2, 20745), L"03:27.45");
    EXPECT_EQ(FormatElapsedTime(2, 6000 * 75 + 99), L"75:00.99");
    EXPECT_EQ(ResetText(2), L"00:00.00");
    EXPECT_EQ(TickPeriodMs(2), 10);

    // Other modes tick in tenths but keep whatever text they were given.
    EXPECT_EQ(FormatElapsedTime(7, 5), std::nullopt);
    EXPECT_EQ(ResetText(7), L"00:00.0");
    EXPECT_EQ(TickPeriodMs(7), 100);
}

TEST(ClockFormat, CountFollowsElapsedTimeToTheNearestTick) {
    const std::int64_t hz = 10'000'000;  // a typical performance counter
    EXPECT_EQ(TicksAfter(0, hz, 1), 0u);
    // Timer callbacks land a little early or late; both still read 1.
    EXPECT_EQ(TicksAfter(hz / 10 - hz / 100, hz, 1), 1u);
    EXPECT_EQ(TicksAfter(hz / 10 + hz / 100, hz, 1), 1u);
    EXPECT_EQ(TicksAfter(hz / 10 + hz / 20, hz, 1), 2u);
    // However many callbacks went missing, the count is the time.
    EXPECT_EQ(TicksAfter(3 * 60 * hz + 27 * hz + 4 * hz / 10, hz, 1), 2074u);
    EXPECT_EQ(TicksAfter(3 * hz + 456 * hz / 1000, hz, 2), 346u);
    EXPECT_EQ(TicksAfter(-hz, hz, 1), 0u);
}

TEST(ClockFormat, CountStartsAgainAfterADay) {
    const std::int64_t hz = 1000;
    const std::int64_t day = 86400 * hz;
    EXPECT_EQ(TicksAfter(day - 100, hz, 1), 863999u);
    EXPECT_EQ(TicksAfter(day, hz, 1), 0u);
    EXPECT_EQ(FormatElapsedTime(1, TicksAfter(day, hz, 1)), L"00:00.0");
    EXPECT_EQ(TicksAfter(day + 100, hz, 1), 1u);
    EXPECT_EQ(TicksAfter(day + 10, hz, 2), 1u);
    // Ten days on a 3 GHz counter: no overflow on the way.
    const std::int64_t fast = 3'000'000'000;
    EXPECT_EQ(TicksAfter(10 * 86400 * fast + 2 * fast, fast, 1), 20u);
}

TEST(ClockFormat, TimerResolutionIsFiveFinestPeriods) {
    EXPECT_EQ(TimerResolution(1, 65535), 5u);
    EXPECT_EQ(TimerResolution(0, 65535), 5u);
    EXPECT_EQ(TimerResolution(2, 1000), 10u);
    EXPECT_EQ(TimerResolution(20, 20), 100u);
    EXPECT_EQ(TimerResolution(30, 20), 100u);
}
