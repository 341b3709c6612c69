#include <gtest/gtest.h>

#include "app/LockGeometry.h"

TEST(LockGeometry, OneMonitorIsCoveredWithOnePixelToSpare) {
    const ScreenRect window = LockWindowRect({{0, 0, 1024, 768}});
    EXPECT_EQ(window, (ScreenRect{-1, -1, 1025, 769}));
    EXPECT_EQ(window.Width(), 1026);
    EXPECT_EQ(window.Height(), 770);
    EXPECT_EQ(ClockRect(1024, 768, window), (ScreenRect{256, 460, 768, 844}));
}

TEST(LockGeometry, EveryMonitorIsCovered) {
    // A second screen to the left and a taller one to the right of the primary.
    const std::vector<ScreenRect> monitors = {
        {0, 0, 1920, 1080}, {-1280, 100, 0, 1124}, {1920, -200, 3000, 1720}};
    EXPECT_EQ(LockWindowRect(monitors), (ScreenRect{-1281, -201, 3001, 1721}));
}

TEST(LockGeometry, ClockStaysWhereItIsOnThePrimaryScreenAlone) {
    const ScreenRect alone = LockWindowRect({{0, 0, 1920, 1080}});
    const ScreenRect clockAlone = ClockRect(1920, 1080, alone);
    const ScreenRect wide = LockWindowRect({{0, 0, 1920, 1080}, {-1280, -300, 0, 724}});
    const ScreenRect clockWide = ClockRect(1920, 1080, wide);
    // Same place on the screen: window origin plus client position.
    EXPECT_EQ(alone.left + clockAlone.left, wide.left + clockWide.left);
    EXPECT_EQ(alone.top + clockAlone.top, wide.top + clockWide.top);
    EXPECT_EQ(clockWide.Width(), 960);
    EXPECT_EQ(clockWide.Height(), 540);
}

TEST(LockGeometry, ClockTopTruncatesSixtyPercent) {
    // 60 % of 1001 is 600.6: the clock starts at 600, not 601.
    EXPECT_EQ(ClockRect(1001, 1001, LockWindowRect({{0, 0, 1001, 1001}})).top, 600);
    EXPECT_EQ(ClockRect(1001, 1001, LockWindowRect({{0, 0, 1001, 1001}})).left, 250);
}

TEST(LockGeometry, NoMonitorCoversNothing) {
    EXPECT_EQ(LockWindowRect({}), ScreenRect{});
}
