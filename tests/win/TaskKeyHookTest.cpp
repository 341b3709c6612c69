// The task-key hook DLL, driven with real input through the system queue and
// watched by a probe hook installed before it.
#include <gtest/gtest.h>

#include "Drive.h"
#include "TaskKeyHook.h"

namespace {

// Presses a chord and reports whether its last key got past the DLL.
bool LetThrough(KeyProbe& probe, std::initializer_list<WORD> chord) {
    probe.Clear();
    PressKeys(chord);
    EXPECT_TRUE(probe.Sync());
    return probe.SawKeyDown(*(std::end(chord) - 1));
}

}  // namespace

// Keys reach only the hooking program's own windows: one of them holds the
// foreground, as the lock's windows do.
class TaskKeyHook : public ::testing::Test {
protected:
    void SetUp() override {
        m_window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_TRUE(BringToFront(m_window));
    }
    void TearDown() override { DestroyWindow(m_window); }

    HWND m_window = nullptr;
};

TEST_F(TaskKeyHook, LetsThroughOnlyWhatTheLocksDialogsNeed) {
    KeyProbe probe;
    ASSERT_TRUE(DisableTaskKeys(1, 0));
    EXPECT_FALSE(LetThrough(probe, {VK_MENU, VK_TAB}));
    EXPECT_FALSE(LetThrough(probe, {VK_LMENU, VK_SHIFT, VK_TAB}));
    EXPECT_FALSE(LetThrough(probe, {VK_RMENU, VK_TAB}));
    EXPECT_FALSE(LetThrough(probe, {VK_MENU, VK_ESCAPE}));
    EXPECT_FALSE(LetThrough(probe, {VK_CONTROL, VK_ESCAPE}));
    EXPECT_FALSE(LetThrough(probe, {VK_LCONTROL, VK_SHIFT, VK_ESCAPE}));
    EXPECT_FALSE(LetThrough(probe, {VK_LWIN}));
    EXPECT_FALSE(LetThrough(probe, {VK_RWIN}));
    // Which Ctrl and which Alt are held is asked for every key: AltGr (the
    // left Ctrl with the right Alt) types, the left Ctrl with the left Alt
    // is a program's hotkey.
    EXPECT_TRUE(LetThrough(probe, {VK_LCONTROL, VK_RMENU, 'Q'}));
    EXPECT_FALSE(LetThrough(probe, {VK_LCONTROL, VK_LMENU, 'Q'}));
    EXPECT_FALSE(LetThrough(probe, {VK_RCONTROL, VK_RMENU, 'Q'}));
    // What the lock itself needs still arrives: Escape for the prompt, Tab
    // and letters for its dialogs, Alt on its own.
    EXPECT_TRUE(LetThrough(probe, {VK_ESCAPE}));
    EXPECT_TRUE(LetThrough(probe, {VK_TAB}));
    EXPECT_TRUE(LetThrough(probe, {VK_SHIFT, 'A'}));
    EXPECT_TRUE(LetThrough(probe, {VK_MENU}));
    // Once Alt is let go, Tab is plain again.
    EXPECT_TRUE(LetThrough(probe, {VK_TAB}));
    ASSERT_TRUE(DisableTaskKeys(0, 0));
    EXPECT_TRUE(LetThrough(probe, {VK_MENU, VK_TAB}));
    EXPECT_TRUE(LetThrough(probe, {VK_CONTROL, VK_ESCAPE}));
}

TEST_F(TaskKeyHook, RepeatedCallsWithTheSameStateAreHarmless) {
    KeyProbe probe;
    EXPECT_TRUE(DisableTaskKeys(0, 0));  // nothing to release
    EXPECT_TRUE(DisableTaskKeys(1, 0));
    EXPECT_TRUE(DisableTaskKeys(1, 0));
    EXPECT_FALSE(LetThrough(probe, {VK_MENU, VK_TAB}));
    // One release undoes any number of disables.
    EXPECT_TRUE(DisableTaskKeys(0, 0));
    EXPECT_TRUE(LetThrough(probe, {VK_MENU, VK_TAB}));
    EXPECT_TRUE(DisableTaskKeys(0, 0));
    EXPECT_TRUE(LetThrough(probe, {VK_MENU, VK_TAB}));
}

TEST_F(TaskKeyHook, KeepsWorkingWhileTheCallingThreadIsBusy) {
    KeyProbe probe;
    ASSERT_TRUE(DisableTaskKeys(1, 0));
    // This thread neither pumps messages nor returns to a loop while the
    // keys travel: a hook living on it would never be asked.
    PressKeys({VK_MENU, VK_TAB});
    PressKey('M');
    bool sawMarker = false;
    for (int i = 0; i < 1500 && !sawMarker; ++i) {
        sawMarker = probe.SawKeyDown('M');
        if (!sawMarker) Sleep(20);
    }
    EXPECT_TRUE(sawMarker);
    EXPECT_FALSE(probe.SawKeyDown(VK_TAB));
    DisableTaskKeys(0, 0);
}

TEST_F(TaskKeyHook, ComesBackAheadOfHooksInstalledAfterIt) {
    ASSERT_TRUE(DisableTaskKeys(1, 0));
    // A newer hook is asked first, so at first the probe sees the chord.
    KeyProbe probe;
    EXPECT_TRUE(LetThrough(probe, {VK_MENU, VK_TAB}));
    // The DLL puts its hook in again, ahead of the probe, within moments.
    EXPECT_TRUE(WaitFor([&] { return !LetThrough(probe, {VK_MENU, VK_TAB}); }, 10000));
    DisableTaskKeys(0, 0);
}
