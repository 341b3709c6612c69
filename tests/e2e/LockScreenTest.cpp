// What the locked screen looks like in each background mode: the veil's
// alpha, a black screen, the clock in the mode's colour counting on, and the
// owner's message above it in that colour.
#include "ClockReader.h"
#include "LockFixture.h"

namespace {

struct ModeCase {
    const char* bgmode;
    BYTE alpha;
    COLORREF lit;
    const char* message;  // none when null
};

BYTE AlphaOf(HWND window) {
    BYTE alpha = 0;
    GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr);
    return alpha;
}

}  // namespace

class LockScreenTest : public LockFixture, public ::testing::WithParamInterface<ModeCase> {
protected:
    // The clock is read only once nothing else shows: until the lock has
    // painted its new look, the screen may still show the settings dialog
    // or the lock's own dialog face, which the lock erases before painting
    // black and which Wine may put on the screen in between. Over the
    // clock that face reads, in the white of mode 2, as a clock of all
    // eights.
    static ::testing::AssertionResult OnlyTheClockShows(HWND clock, const RECT& message = {}) {
        return WaitFor([&] { return BlackOutsideClock(clock, message); }, Is(true));
    }

    HWND LockInMode(const char* bgmode, const char* message = nullptr) {
        WriteFileBytes(locker().ConfigPath(), std::string("[user]\r\nbgmode=") + bgmode +
                                                  "\r\nbdisablescreensafe=0\r\nballowshutdown=0\r\n" +
                                                  (message ? std::string("message=") + message + "\r\n" : ""));
        HWND lock = StartLock();
        if (!lock) return nullptr;
        // Until the settings are accepted the veil is the same in every mode.
        EXPECT_EQ(AlphaOf(lock), 180);
        EXPECT_TRUE(AcceptSettings(WaitForSettings(), L"pw"));
        return lock;
    }
};

TEST_P(LockScreenTest, ShowsTheClockCountingInTheModesColour) {
    const ModeCase mode = GetParam();
    HWND lock = LockInMode(mode.bgmode, mode.message);
    ASSERT_NE(lock, nullptr);
    EXPECT_TRUE(WaitFor([&] { return int(AlphaOf(lock)); }, Is(int(mode.alpha))));
    HWND clock = GetDlgItem(lock, IDC_TIME);
    const auto shown = [&] { return ReadClockTenths(clock, mode.lit); };

    // Once the settings dialog's place is repainted, only the clock shows,
    // and the owner's message resting on it, in its colour.
    ShownAboveClock above;
    if (mode.message) {
        EXPECT_TRUE(WaitFor([&] { return above = ReadAboveClock(clock, mode.lit); },
                            [clock](const ShownAboveClock& s) { return IsMessageOnClock(clock, s); }));
    }
    EXPECT_TRUE(OnlyTheClockShows(clock, above.box));
    int first = -1;
    ASSERT_TRUE(WaitFor([&] { return first = shown(); }, [](int tenths) { return tenths >= 0; }))
        << "no clock in the lit colour on the screen";
    EXPECT_LT(first, 100);  // counting from the moment the settings were accepted
    EXPECT_TRUE(WaitFor(shown, [first](int tenths) { return tenths >= first + 20; }))
        << "the clock showed " << first << " first";
}

INSTANTIATE_TEST_SUITE_P(Modes, LockScreenTest,
                         ::testing::Values(ModeCase{"0", 255, RGB(255, 255, 0), "Back at 14:00"},
                                           ModeCase{"1", 180, RGB(255, 255, 0), nullptr},
                                           ModeCase{"2", 60, RGB(255, 255, 255), "Back at 14:00"},
                                           ModeCase{"7", 180, RGB(255, 255, 0), nullptr}));

TEST_F(LockScreenTest, PracticallyInvisibleModeHasAlphaOne) {
    HWND lock = LockInMode("3");
    ASSERT_NE(lock, nullptr);
    EXPECT_TRUE(WaitFor([&] { return int(AlphaOf(lock)); }, Is(1)));
}

// New system colours reach the clock through the lock window; the clock
// must show whole digits after them, not the face of the static control
// under it, which only a change of every digit would paint over.
TEST_F(LockScreenTest, ClockStaysWholeAfterNewSystemColours) {
    HWND lock = LockInMode("1");
    ASSERT_NE(lock, nullptr);
    HWND clock = GetDlgItem(lock, IDC_TIME);
    const auto shown = [clock] { return ReadClockTenths(clock, RGB(255, 255, 0)); };
    ASSERT_TRUE(OnlyTheClockShows(clock));
    int before = -1;
    ASSERT_TRUE(WaitFor([&] { return before = shown(); }, [](int tenths) { return tenths >= 0; }));
    PostMessageW(lock, WM_SYSCOLORCHANGE, 0, 0);
    // The clock's ticks queue up behind the posted message: half a second
    // on, it has been handled.
    EXPECT_TRUE(WaitFor(shown, [before](int tenths) { return tenths >= before + 5; }))
        << "the clock showed " << before << " first";
}
