// Nothing that appears after the lock has begun may cover it or keep the
// keyboard from it.
#include <tuple>
#include <utility>

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

// The process whose window has the foreground.
DWORD ForegroundProcess() {
    DWORD process = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &process);
    return process;
}

// A topmost window of another program that takes the foreground once.
class Intruder : public ForeignWindow {
public:
    Intruder() : ForeignWindow(L"QuilmarIntruder", true) { TakeForeground(); }
};

// Whether the lock is shown, whether it is minimised, and its rectangle.
std::tuple<bool, bool, RECT> Placement(HWND lock) {
    RECT r{};
    GetWindowRect(lock, &r);
    return {IsWindowVisible(lock) != 0, IsIconic(lock) != 0, r};
}

// The lock's veil: whether it is layered at all, its alpha and layered
// flags, and whether clicks go through it.
std::tuple<bool, int, DWORD, bool> Veil(HWND lock) {
    BYTE alpha = 0;
    DWORD flags = 0;
    const bool layered = GetLayeredWindowAttributes(lock, nullptr, &alpha, &flags);
    return {layered, alpha, flags, (GetWindowLongW(lock, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0};
}

}  // namespace

using StayInFrontTest = LockFixture;

TEST_F(StayInFrontTest, TopmostWindowOfAnotherProgramIsCoveredAgainWithinASecond) {
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    Intruder intruder;
    EXPECT_TRUE(WaitFor([&] { return std::make_tuple(Above(lock, intruder.Window()), ForegroundProcess()); },
                        Is(std::make_tuple(true, locker().ProcessId())), 1000));
    // The keyboard is the lock's again: Escape brings up the prompt.
    PressKey(VK_ESCAPE);
    HWND prompt = WaitForPrompt();
    ASSERT_NE(prompt, nullptr);
    EXPECT_TRUE(WaitFor([&] { return Above(prompt, intruder.Window()); }, Is(true), 1000));
}

TEST_F(StayInFrontTest, HiddenMinimisedMovedLoweredOrMadeSeeThroughByAnotherProgramItIsMendedWithinASecond) {
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    // Over every screen, shown and not minimised.
    const auto covering = std::make_tuple(true, false, std::get<2>(Placement(lock)));
    const auto placement = [lock] { return Placement(lock); };
    ShowWindow(lock, SW_HIDE);
    EXPECT_TRUE(WaitFor(placement, Is(covering), 1000)) << "hidden";
    ShowWindow(lock, SW_MINIMIZE);
    EXPECT_TRUE(WaitFor(placement, Is(covering), 1000)) << "minimised";
    SetWindowPos(lock, nullptr, 100, 100, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitFor(placement, Is(covering), 1000)) << "moved";
    // Without asking the window first.
    SetWindowPos(lock, nullptr, 100, 100, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
    EXPECT_TRUE(WaitFor(placement, Is(covering), 1000)) << "moved without asking";
    const auto topmost = [lock] { return (GetWindowLongW(lock, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    // (Lowered without asking, Wine cannot make a window that owns others
    // topmost again at all; Windows can, and the check does.)
    SetWindowPos(lock, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(topmost()) << "lowered";
    // Made see-through, click-through or without its veil.
    const auto veil = [lock] { return Veil(lock); };
    const auto veiled = std::make_tuple(true, 180, DWORD(LWA_ALPHA), false);
    ASSERT_EQ(veil(), veiled);
    SetLayeredWindowAttributes(lock, 0, 5, LWA_ALPHA);
    EXPECT_TRUE(WaitFor(veil, Is(veiled), 1000)) << "alpha";
    SetWindowLongW(lock, GWL_EXSTYLE, GetWindowLongW(lock, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    EXPECT_TRUE(WaitFor(veil, Is(veiled), 1000)) << "click-through";
    SetWindowLongW(lock, GWL_EXSTYLE, GetWindowLongW(lock, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    EXPECT_TRUE(WaitFor(veil, Is(veiled), 1000)) << "not layered";
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
    ASSERT_TRUE(WaitFor(GetForegroundWindow, Is(thief.Window())));
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
    EXPECT_TRUE(WaitFor([&] { return std::make_pair(thief.Keys(), thief.Clicks()); },
                        [](const std::pair<LONG, LONG>& seen) { return seen.first > 0 && seen.second > 0; }));
}

TEST_F(StayInFrontTest, SettingsDialogKeepsWorkingAboveTheLock) {
    StartLock();
    HWND settings = WaitForSettings();
    ASSERT_NE(settings, nullptr);
    Intruder intruder;
    EXPECT_TRUE(WaitFor([&] { return Above(settings, intruder.Window()); }, Is(true), 1000));
    EXPECT_TRUE(WaitFor(GetForegroundWindow, Is(settings), 1000));
    ASSERT_TRUE(AcceptSettings(settings, L"pw"));
    EXPECT_TRUE(locker().Running());
}
