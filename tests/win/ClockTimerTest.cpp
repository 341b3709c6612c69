// The elapsed-time display with its real multimedia timer: it counts true
// time, stops dead on Stop, and survives being started, stopped and
// destroyed over and over while it paints.
#include <gtest/gtest.h>

#include "ClockReader.h"
#include "Drive.h"
#include "SegmentTestWindows.h"
#include "clock/CElapsedTimeStatic.h"

namespace {

class Clock : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_clock.SubclassDlgItem(kClockControlId, m_host.Parent())); }

    // Runs messages until the displayed text is one `accept` takes.
    template <typename Accept>
    ::testing::AssertionResult WaitForText(Accept accept) {
        return WaitFor([this] { return m_clock.GetText(); }, accept);
    }
    ::testing::AssertionResult WaitForChangeFrom(const std::wstring& text) {
        return WaitForText([&](const std::wstring& shown) { return shown != text; });
    }

    TestHost m_host{400, 100};
    CElapsedTimeStatic m_clock;
};

}  // namespace

TEST_F(Clock, ModeShowsItsZeroUntilStarted) {
    EXPECT_EQ(m_clock.GetText(), L"");
    m_clock.SetMode(1);
    EXPECT_EQ(m_clock.GetText(), L"00:00.0");
    m_clock.SetMode(0);
    EXPECT_EQ(m_clock.GetText(), L"00:00");
    m_clock.SetMode(2);
    EXPECT_EQ(m_clock.GetText(), L"00:00.00");
    // Without Start nothing moves, and going away kills no timer.
    PumpFor(300);
    EXPECT_EQ(m_clock.GetText(), L"00:00.00");
    m_host.Destroy();
}

TEST_F(Clock, CountsTrueTimeInTenths) {
    m_clock.SetMode(1);
    const double start = Seconds();
    m_clock.Start();
    ASSERT_TRUE(WaitForChangeFrom(L"00:00.0"));
    EXPECT_LE(TextSeconds(m_clock.GetText()), 0.2);

    // Every text shown over two seconds is the elapsed time, give or take a
    // tick and the time this thread takes to get round to showing it.
    double worst = 0;
    std::wstring shown = m_clock.GetText();
    while (TextSeconds(shown) < 2.0) {
        ASSERT_TRUE(WaitForChangeFrom(shown));
        shown = m_clock.GetText();
        worst = std::max(worst, std::abs(TextSeconds(shown) - (Seconds() - start)));
    }
    EXPECT_LT(worst, 0.2) << "last text " << std::string(shown.begin(), shown.end());
    m_clock.Stop();
}

TEST_F(Clock, HundredthsModeTicksInHundredths) {
    m_clock.SetMode(2);
    m_clock.Start();
    // A 100 ms period would only ever show .x0.
    EXPECT_TRUE(WaitForText([](const std::wstring& text) { return text.back() != L'0'; }));
    m_clock.Stop();
}

TEST_F(Clock, SecondsModeChangesOncePerSecond) {
    m_clock.SetMode(0);
    m_clock.Start();
    const double start = Seconds();
    ASSERT_TRUE(WaitForChangeFrom(L"00:00"));
    EXPECT_EQ(m_clock.GetText(), L"00:01");
    EXPECT_GT(Seconds() - start, 0.9);
    EXPECT_LT(Seconds() - start, 1.5);
    m_clock.Stop();
}

TEST_F(Clock, StopFreezesTheTextAndStartCountsFromZero) {
    m_clock.SetMode(1);
    m_clock.Start();
    ASSERT_TRUE(WaitForText([](const std::wstring& text) { return TextSeconds(text) >= 1.5; }));
    m_clock.Stop();
    const std::wstring stopped = m_clock.GetText();
    PumpFor(400);
    EXPECT_EQ(m_clock.GetText(), stopped);

    m_clock.Start();
    ASSERT_TRUE(WaitForChangeFrom(stopped));
    EXPECT_LT(TextSeconds(m_clock.GetText()), 1.0);
    m_clock.Stop();
}

// Many short runs at the 10 ms period while the window repaints: after
// each Stop the text must stay as it is, even once every message a tick
// may have posted has been handled.
TEST_F(Clock, StartStopCyclesWhilePainting) {
    int cyclesThatTicked = 0;
    for (int cycle = 0; cycle < 300; ++cycle) {
        m_clock.SetMode(2);
        m_clock.Start();
        const DWORD until = GetTickCount() + 5 + cycle % 40;
        while (GetTickCount() < until) {
            RedrawWindow(m_clock.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            PumpFor(1);
        }
        m_clock.Stop();
        const std::wstring stopped = m_clock.GetText();
        if (stopped != L"00:00.00") ++cyclesThatTicked;
        PumpFor(15);
        RedrawWindow(m_clock.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ASSERT_EQ(m_clock.GetText(), stopped) << "cycle " << cycle;
    }
    // Enough of the cycles raced a running timer to mean something.
    EXPECT_GT(cyclesThatTicked, 50);
}

// Windows going away with the clock running, and the clock object right
// after them, as the lock window's end does.
TEST(ClockLifetime, DestroyWhileTickingIsSafe) {
    for (int round = 0; round < 100; ++round) {
        TestHost host(200, 50);
        auto clock = std::make_unique<CElapsedTimeStatic>();
        ASSERT_TRUE(clock->SubclassDlgItem(kClockControlId, host.Parent()));
        clock->SetMode(2);
        clock->Start();
        PumpFor(round % 25);
        if (round % 2) host.Destroy();
        clock.reset();
    }
    // Any message a late tick posted finds no clock, or no window.
    PumpFor(50);
}
