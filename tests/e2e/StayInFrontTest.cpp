// Nothing that appears after the lock has begun may cover it or keep the
// keyboard from it.
#include "LockFixture.h"

namespace {

// Whether `window` is above `other` in the z-order.
bool Above(HWND window, HWND other) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == window) return true;
        if (w == other) return false;
    }
    return false;
}

bool InFront(const Locker& locker, HWND lock, HWND intruder) {
    DWORD foregroundProcess = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &foregroundProcess);
    return Above(lock, intruder) && foregroundProcess == locker.ProcessId();
}

// A topmost window of another program that takes the foreground once.
class Intruder : public ForeignWindow {
public:
    Intruder() : ForeignWindow(L"QuilmarIntruder", true) { TakeForeground(); }
};

// The lock over every screen, shown and not minimised.
bool Covers(HWND lock, const RECT& cover) {
    RECT now;
    return IsWindowVisible(lock) && !IsIconic(lock) && GetWindowRect(lock, &now) && EqualRect(&now, &cover);
}

}  // namespace

using StayInFrontTest = LockFixture;

TEST_F(StayInFrontTest, TopmostWindowOfAnotherProgramIsCoveredAgainWithinASecond) {
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    Intruder intruder;
    EXPECT_TRUE(WaitFor([&] { return InFront(locker(), lock, intruder.Window()); }, 1000));
    // The keyboard is the lock's again: Escape brings up the prompt.
    PressKey(VK_ESCAPE);
    HWND prompt = WaitForPrompt();
    ASSERT_NE(prompt, nullptr);
    EXPECT_TRUE(Above(prompt, intruder.Window()));
}

TEST_F(StayInFrontTest, HiddenMinimisedMovedLoweredOrMadeSeeThroughByAnotherProgramItIsMendedWithinASecond) {
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    RECT cover;
    GetWindowRect(lock, &cover);
    ShowWindow(lock, SW_HIDE);
    EXPECT_TRUE(WaitFor([&] { return Covers(lock, cover); }, 1000)) << "hidden";
    ShowWindow(lock, SW_MINIMIZE);
    EXPECT_TRUE(WaitFor([&] { return Covers(lock, cover); }, 1000)) << "minimised";
    SetWindowPos(lock, nullptr, 100, 100, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitFor([&] { return Covers(lock, cover); }, 1000)) << "moved";
    // Without asking the window first.
    SetWindowPos(lock, nullptr, 100, 100, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
    EXPECT_TRUE(WaitFor([&] { return Covers(lock, cover); }, 1000)) << "moved without asking";
    const auto topmost = [lock] { return (GetWindowLongW(lock, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    // (Lowered without asking, Wine cannot make a window that owns others
    // topmost again at all; Windows can, and the check does.)
    SetWindowPos(lock, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(topmost()) << "lowered";
    // Made see-through, click-through or without its veil.
    const auto veiled = [lock] {
        BYTE alpha = 0;
        DWORD flags = 0;
        return GetLayeredWindowAttributes(lock, nullptr, &alpha, &flags) && flags == LWA_ALPHA && alpha == 180 &&
               !(GetWindowLongW(lock, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    };
    ASSERT_TRUE(veiled());
    SetLayeredWindowAttributes(lock, 0, 5, LWA_ALPHA);
    EXPECT_TRUE(WaitFor(veiled, 1000)) << "alpha";
    SetWindowLongW(lock, GWL_EXSTYLE, GetWindowLongW(lock, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    EXPECT_TRUE(WaitFor(veiled, 1000)) << "click-through";
    SetWindowLongW(lock, GWL_EXSTYLE, GetWindowLongW(lock, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    EXPECT_TRUE(WaitFor(veiled, 1000)) << "not layered";
    EXPECT_TRUE(locker().Running());
}

// Windows refuses the lock the foreground while another program holds it
// and the lock had not the last input: a window that keeps taking it must
// still get nothing.
TEST_F(StayInFrontTest, AWindowThatKeepsTakingTheForegroundGetsNoKeyAndNoClick) {
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    ForeignWindow thief(L"QuilmarThief", true);
    thief.StealForeground(true);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == thief.Window(); }));
    TypeText(L"abc");
    PressKeys({VK_MENU, VK_SPACE});
    ClickWindow(thief.Window());
    ClickWindow(thief.Window());
    thief.StealForeground(false);
    // The owner, once the lock has the keyboard again, unlocks as always.
    ASSERT_TRUE(Unlock(lock, L"pw"));
    ASSERT_TRUE(RestoredAfterExit());
    EXPECT_EQ(thief.Keys(), 0);
    EXPECT_EQ(thief.Clicks(), 0);
    // Unlocked, the same window gets both: it would have counted them.
    ASSERT_TRUE(BringToFront(thief.Window()));
    PressKey('A');
    ClickWindow(thief.Window());
    EXPECT_TRUE(WaitFor([&] { return thief.Keys() > 0 && thief.Clicks() > 0; }));
}

TEST_F(StayInFrontTest, SettingsDialogKeepsWorkingAboveTheLock) {
    StartLock();
    HWND settings = WaitForSettings();
    ASSERT_NE(settings, nullptr);
    Intruder intruder;
    EXPECT_TRUE(WaitFor([&] { return Above(settings, intruder.Window()); }, 1000));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == settings; }, 1000));
    ASSERT_TRUE(AcceptSettings(settings, L"pw"));
    EXPECT_TRUE(locker().Running());
}
