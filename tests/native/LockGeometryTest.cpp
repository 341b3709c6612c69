#include <gtest/gtest.h>

#include "app/guard/LockGeometry.h"
#include "app/guard/LockGuardRules.h"

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

TEST(LockGeometry, MessageFontFollowsTheScreenFitsItsWidthAndStaysLegible) {
    // A short line: a 16th of the screen's height.
    EXPECT_EQ(MessageFontHeight(1024, 768, 96, 800), 48);
    EXPECT_EQ(MessageFontHeight(1920, 1080, 96, 800), 67);
    EXPECT_EQ(MessageFontHeight(3840, 2160, 192, 800), 135);
    // Too wide at that height: narrowed to 7/8 of the screen's width, 1680
    // pixels of 1920, for 80 characters of 100 pixels each at the measuring
    // height; 896 pixels of 1024.
    EXPECT_EQ(MessageFontHeight(1920, 1080, 96, 8000), 21);
    EXPECT_EQ(MessageFontHeight(1024, 768, 96, 1866), 48);  // 895.7 pixels at 48: fits
    EXPECT_EQ(MessageFontHeight(1024, 768, 96, 1867), 47);
    // Never below nine points at the monitor's DPI, even where the line
    // then runs into the margins (11 pixels would fit).
    EXPECT_EQ(MessageFontHeight(1024, 768, 96, 8000), 12);
    EXPECT_EQ(MessageFontHeight(1024, 768, 144, 8000), 18);
    EXPECT_EQ(MessageFontHeight(1024, 768, 192, 8000), 24);
    EXPECT_EQ(MessageFontHeight(320, 160, 96, 100), 12);
}

TEST(LockGeometry, MessageRestsOnTheClockAcrossThePrimaryScreen) {
    const ScreenRect alone = LockWindowRect({{0, 0, 1024, 768}});
    const ScreenRect message = MessageRect(1024, 768, 32, alone);
    EXPECT_EQ(message, (ScreenRect{1, 428, 1025, 460}));
    EXPECT_EQ(message.bottom, ClockRect(1024, 768, alone).top);
    // With a monitor left of and above the primary, the same place on the
    // primary screen.
    const ScreenRect wide = LockWindowRect({{0, 0, 1024, 768}, {-1280, -300, 0, 724}});
    const ScreenRect moved = MessageRect(1024, 768, 32, wide);
    EXPECT_EQ(wide.left + moved.left, 0);
    EXPECT_EQ(wide.top + moved.top, 427);
    EXPECT_EQ(moved.Width(), 1024);
    EXPECT_EQ(moved.bottom, ClockRect(1024, 768, wide).top);
}

TEST(LockGeometry, NoMonitorCoversNothing) {
    EXPECT_EQ(LockWindowRect({}), ScreenRect{});
}

TEST(LockGuardRules, AnyMoveSizeOrHideEndsOverTheCoverShown) {
    const ScreenRect cover = LockWindowRect({{0, 0, 1024, 768}});
    const PlaceChange moved = PinnedChange({100, 100, 300, 200, kPosHideWindow}, cover);
    EXPECT_EQ(moved.x, -1);
    EXPECT_EQ(moved.y, -1);
    EXPECT_EQ(moved.cx, 1026);
    EXPECT_EQ(moved.cy, 770);
    EXPECT_EQ(moved.flags, 0u);
    // The stay-in-front check only raises it: that is no move to the corner.
    const PlaceChange raised = PinnedChange({0, 0, 0, 0, kPosNoMove | kPosNoSize}, cover);
    EXPECT_EQ(raised.x, 0);
    EXPECT_EQ(raised.cx, 0);
    EXPECT_EQ(raised.flags, kPosNoMove | kPosNoSize);
}

TEST(LockGuardRules, WhatGotPastThePinIsMendedAndNothingElse) {
    const ScreenRect cover = LockWindowRect({{0, 0, 1024, 768}});
    const CoverState sound{cover, true, false, true, true, 180, false, DesktopPlace::current};
    EXPECT_FALSE(RepairsFor(sound, cover, 180).Any());
    // Without virtual desktops (Windows 7, Wine) nothing is amiss either.
    CoverState noDesktops = sound;
    noDesktops.desktop = DesktopPlace::unknown;
    EXPECT_FALSE(RepairsFor(noDesktops, cover, 180).Any());

    CoverState lowered = sound;
    lowered.topmost = false;
    lowered.alpha = 5;
    const CoverRepairs mendLowered = RepairsFor(lowered, cover, 180);
    EXPECT_TRUE(mendLowered.topmost);
    EXPECT_TRUE(mendLowered.alpha);
    EXPECT_FALSE(mendLowered.place || mendLowered.show || mendLowered.exStyle);

    // A new extended style takes the alpha with it, even one that read right.
    CoverState restyled = sound;
    restyled.exStyleKept = false;
    const CoverRepairs mendRestyled = RepairsFor(restyled, cover, 180);
    EXPECT_TRUE(mendRestyled.exStyle);
    EXPECT_TRUE(mendRestyled.alpha);
}

// Another virtual desktop leaves the lock cloaked where it was, still
// visible and topmost by every other reading.
TEST(LockGuardRules, ALockLeftOnAnotherVirtualDesktopComesBackInFront) {
    const ScreenRect cover = LockWindowRect({{0, 0, 1024, 768}});
    const CoverState left{cover, true, false, true, true, 180, true, DesktopPlace::other};
    const CoverRepairs mendLeft = RepairsFor(left, cover, 180);
    EXPECT_EQ(mendLeft.desktop, DesktopRepair::move);
    EXPECT_TRUE(mendLeft.topmost);
    EXPECT_FALSE(mendLeft.show || mendLeft.place || mendLeft.exStyle || mendLeft.alpha);

    // Where the system says it is elsewhere, cloaked or not, it is moved.
    CoverState elsewhere = left;
    elsewhere.cloaked = false;
    EXPECT_EQ(RepairsFor(elsewhere, cover, 180).desktop, DesktopRepair::move);

    // Cloaked where the user is, or where no one can say which desktop it
    // is on, a move would change nothing: it is shown anew.
    for (DesktopPlace place : {DesktopPlace::current, DesktopPlace::unknown}) {
        CoverState cloaked = left;
        cloaked.desktop = place;
        const CoverRepairs mendCloaked = RepairsFor(cloaked, cover, 180);
        EXPECT_EQ(mendCloaked.desktop, DesktopRepair::reshow);
        EXPECT_TRUE(mendCloaked.topmost);
    }
}

TEST(LockGuardRules, OnlyTheScreensaverAndPowerSavingAreObeyed) {
    EXPECT_TRUE(IsAllowedSystemCommand(kCommandScreenSave));
    EXPECT_TRUE(IsAllowedSystemCommand(kCommandMonitorPower | 0x2));  // the low bits are the system's
    // Close, move, size, minimise, maximise, restore, the menu by key and by
    // mouse, the task list, a hot key, the default item.
    for (unsigned command : {0xF060u, 0xF010u, 0xF000u, 0xF020u, 0xF030u, 0xF120u, 0xF100u, 0xF090u, 0xF130u,
                             0xF150u, 0xF160u})
        EXPECT_FALSE(IsAllowedSystemCommand(command)) << std::hex << command;
}
