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

// A topmost window of another program that takes the foreground.
class Intruder {
public:
    Intruder() {
        m_window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"intruder", WS_POPUP | WS_VISIBLE, 0, 0,
                                   GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                                   nullptr, nullptr, nullptr);
        SetForegroundWindow(m_window);
    }
    ~Intruder() { DestroyWindow(m_window); }
    HWND Window() const { return m_window; }

private:
    HWND m_window;
};

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

TEST_F(StayInFrontTest, SettingsDialogKeepsWorkingAboveTheLock) {
    StartLock();
    HWND settings = WaitForSettings();
    ASSERT_NE(settings, nullptr);
    Intruder intruder;
    EXPECT_TRUE(WaitFor([&] { return Above(settings, intruder.Window()); }, 1000));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == settings; }, 1000));
    AcceptSettings(settings, L"pw");
    EXPECT_TRUE(locker().Running());
}
