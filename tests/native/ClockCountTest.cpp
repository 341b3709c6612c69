// The count and text shared by the clock's timer thread and its window's
// thread. The threaded case is also built with ThreadSanitizer
// (QUILMAR_TSAN), which reports any unguarded access.
#include <gtest/gtest.h>

#include <atomic>
#include <cwctype>
#include <thread>

#include "clock/CElapsedCount.h"

namespace {
constexpr std::int64_t kHz = 1000;  // clock readings in milliseconds

// "MM:SS.t" or "HH:MM:SS.t"; a text torn by a race would not be.
bool WellFormed(const std::wstring& text) {
    const std::wstring shape = text.size() == 7 ? L"00:00.0" : L"00:00:00.0";
    if (text.size() != shape.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (shape[i] == L'0' ? !std::iswdigit(text[i]) : text[i] != shape[i]) return false;
    }
    return true;
}
}  // namespace

TEST(ClockCount, TicksHandOverTheTextOfTheTimeSinceStart) {
    CElapsedCount count(kHz);
    count.SetMode(1);
    count.Start(5000);
    EXPECT_FALSE(count.TakeText());

    EXPECT_TRUE(count.Tick(5100));
    EXPECT_EQ(count.TakeText(), L"00:00.1");
    EXPECT_FALSE(count.TakeText());

    // A loaded machine: callbacks come late and some never come.
    EXPECT_TRUE(count.Tick(5000 + 207'430));
    EXPECT_EQ(count.Ticks(), 2074u);
    EXPECT_EQ(count.TakeText(), L"03:27.4");

    // A second Start while counting keeps the original start.
    count.Start(300'000);
    EXPECT_TRUE(count.Tick(5000 + 207'530));
    EXPECT_EQ(count.TakeText(), L"03:27.5");
}

TEST(ClockCount, WindowIsToldOncePerWaitingTextAndGetsTheNewest) {
    CElapsedCount count(kHz);
    count.SetMode(1);
    count.Start(0);
    EXPECT_TRUE(count.Tick(100));
    EXPECT_FALSE(count.Tick(200));  // a message is already on its way
    EXPECT_FALSE(count.Tick(300));
    EXPECT_EQ(count.TakeText(), L"00:00.3");
    // The same count again is no news.
    EXPECT_FALSE(count.Tick(310));
    EXPECT_FALSE(count.TakeText());

    // A word that never reached the window (its queue was full): the next
    // tick tells it again, and the text is there for it all along.
    EXPECT_TRUE(count.Tick(400));
    count.NotTold();
    EXPECT_TRUE(count.Tick(500));
    count.NotTold();
    EXPECT_EQ(count.TakeText(), L"00:00.5");

    // Ten ticks per change of text in the seconds mode.
    count.SetMode(0);
    for (int ms = 600; ms < 1000; ms += 100) EXPECT_FALSE(count.Tick(ms));
    EXPECT_TRUE(count.Tick(1000));
    EXPECT_EQ(count.TakeText(), L"00:01");
}

TEST(ClockCount, StopZeroesTheCountAndSilencesLaterTicks) {
    CElapsedCount count(kHz);
    count.SetMode(1);
    count.Start(0);
    EXPECT_TRUE(count.Tick(1200));
    count.Stop();
    EXPECT_EQ(count.Ticks(), 0u);
    // The text of the last tick is still there to be shown.
    EXPECT_EQ(count.TakeText(), L"00:01.2");
    EXPECT_FALSE(count.Tick(1300));
    EXPECT_EQ(count.Ticks(), 0u);
    EXPECT_FALSE(count.TakeText());

    // Counting again starts from zero at the new start.
    count.Start(10'000);
    EXPECT_TRUE(count.Tick(10'100));
    EXPECT_EQ(count.TakeText(), L"00:00.1");
}

TEST(ClockCount, ModeChangeDropsTheWaitingTextOfTheOldMode) {
    CElapsedCount count(kHz);
    count.SetMode(1);
    count.Start(0);
    EXPECT_TRUE(count.Tick(2340));
    count.SetMode(2);
    EXPECT_FALSE(count.TakeText());
    EXPECT_TRUE(count.Tick(2345));
    EXPECT_EQ(count.TakeText(), L"00:02.35");
    // A mode without texts ticks silently.
    count.SetMode(9);
    EXPECT_FALSE(count.Tick(5000));
    EXPECT_FALSE(count.TakeText());
}

// A timer thread ticks as fast as it can and a window thread takes texts,
// while the test thread starts and stops the count over and over. After
// each Stop no tick may change anything, whatever the timer thread does.
TEST(ClockCount, StartStopCyclesAgainstBusyTimerAndWindowThreads) {
    CElapsedCount count(kHz);
    count.SetMode(1);
    std::atomic<std::int64_t> now{0};
    std::atomic<bool> done{false};
    std::atomic<int> malformed{0};

    std::thread timer([&] {
        while (!done) count.Tick(++now);
    });
    std::thread window([&] {
        while (!done) {
            if (auto text = count.TakeText(); text && !WellFormed(*text)) ++malformed;
        }
    });

    for (int cycle = 0; cycle < 300; ++cycle) {
        count.Start(now);
        while (count.Ticks() < 3) std::this_thread::yield();
        count.Stop();
        for (int look = 0; look < 50; ++look) {
            ASSERT_EQ(count.Ticks(), 0u) << "cycle " << cycle;
            std::this_thread::yield();
        }
    }
    done = true;
    timer.join();
    window.join();
    EXPECT_EQ(malformed, 0);
}
