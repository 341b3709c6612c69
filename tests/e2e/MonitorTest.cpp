// Two monitors of different sizes, the larger one left of and above the
// primary (ctest gives this binary such a display): the lock covers both,
// and everything the user reads sits in the middle of the primary, where
// the clock is.
#include "ClockReader.h"
#include "LockFixture.h"

namespace {

RECT RectOf(HWND window) {
    RECT rc{};
    GetWindowRect(window, &rc);
    return rc;
}

// All monitors as they are now, one pixel to spare on every side.
RECT CoverOfTheMonitors() {
    RECT all{};
    for (const RECT& monitor : MonitorRects()) UnionRect(&all, &all, &monitor);
    InflateRect(&all, 1, 1);
    return all;
}

}  // namespace

class MonitorTest : public LockFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "the display does not show two monitors";
        LockFixture::SetUp();
    }

    // Presses OK on an empty password; the box it brings up is in the middle
    // of the primary too.
    void ExpectMessageOnPrimary(HWND owner, const std::wstring& text) {
        HWND box = ExpectMessageBox(owner, text);
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_TRUE(IsCentredIn(RectOf(box), PrimaryWorkArea()));
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitFor([box] { return !IsWindow(box); }, Is(true)));
    }
};

TEST_F(MonitorTest, DialogsPromptMessagesAndClockSitOnThePrimary) {
    const std::vector<RECT> monitors = MonitorRects();
    ASSERT_EQ(monitors.size(), 2u);
    ASSERT_LT(monitors[1].left, 0);  // the larger one, left of and above
    const RECT work = PrimaryWorkArea();

    WriteFileBytes(locker().ConfigPath(),
                   "[user]\r\nbgmode=1\r\nbdisablescreensafe=1\r\nballowshutdown=0\r\nmessage=Back at 14:00\r\n");
    HWND lock = StartLock();
    ASSERT_NE(lock, nullptr);
    const RECT lockRect = RectOf(lock);
    for (const RECT& monitor : monitors) {
        RECT covered;
        IntersectRect(&covered, &monitor, &lockRect);
        EXPECT_EQ(covered, monitor) << "a monitor is not covered";
    }
    HWND settings = WaitForSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(IsCentredIn(RectOf(settings), work));
    ASSERT_TRUE(BringToFront(settings));
    ClickWindow(GetDlgItem(settings, IDC_OK));
    ExpectMessageOnPrimary(settings, L"解锁密码不能为空！");
    ASSERT_TRUE(AcceptSettings(settings, L"pw"));

    const RECT clock = RectOf(GetDlgItem(lock, IDC_TIME));
    EXPECT_TRUE(PtInRect(&monitors[0], {clock.left, clock.top}));
    EXPECT_EQ(clock.right - clock.left, (monitors[0].right - monitors[0].left) / 2);

    HWND prompt = nullptr;
    ASSERT_TRUE(ShowPrompt(lock, &prompt));
    EXPECT_TRUE(IsCentredIn(RectOf(prompt), work));
    TypeText(L"wrong");
    PressKey(VK_RETURN);
    ExpectMessageOnPrimary(prompt, L"解锁密码错误！\n\n* 区分大小写");
    for (int i = 0; i < 5; ++i) PressKey(VK_BACK);

    // The larger monitor taken away while locked: within a second the lock
    // covers what is left.
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([prompt] { return IsWindowVisible(prompt) != FALSE; }, Is(false)));
    ASSERT_TRUE(SetMonitors(L"1024x768+0+0"));
    EXPECT_TRUE(WaitFor([lock] { return RectOf(lock); }, Is(CoverOfTheMonitors()), 1000));
    // Plugged in again as the primary: both are covered again, and the
    // prompt finds the new primary when it is shown.
    ASSERT_TRUE(SetMonitors(L"1024x768+1280+256,*1280x1024+0+0"));
    EXPECT_TRUE(WaitFor([lock] { return RectOf(lock); }, Is(CoverOfTheMonitors()), 1000));
    const RECT largeWork = PrimaryWorkArea();
    ASSERT_EQ(largeWork.right - largeWork.left, 1280);
    // The owner's message follows the clock to the new primary.
    HWND clockNow = GetDlgItem(lock, IDC_TIME);
    EXPECT_TRUE(WaitFor([clockNow] { return ReadAboveClock(clockNow, RGB(255, 255, 0)); },
                        [clockNow](const ShownAboveClock& s) { return IsMessageOnClock(clockNow, s); }));
    HWND again = nullptr;
    ASSERT_TRUE(ShowPrompt(lock, &again));
    ASSERT_EQ(again, prompt);
    EXPECT_TRUE(IsCentredIn(RectOf(prompt), largeWork));
    // The first made the primary again while the prompt is up: the prompt
    // and the clock move to it with the cover.
    ASSERT_TRUE(SetMonitors(L"1024x768+1280+256,1280x1024+0+0"));
    EXPECT_TRUE(WaitFor([lock] { return RectOf(lock); }, Is(CoverOfTheMonitors()), 1000));
    EXPECT_TRUE(WaitFor([prompt] { return IsCentredIn(RectOf(prompt), PrimaryWorkArea()); }, Is(true), 1000));
    EXPECT_EQ(RectOf(GetDlgItem(lock, IDC_TIME)), clock);
    EXPECT_TRUE(Unlock(lock, L"pw"));
    // The wrong entry is reported after the unlock, on the primary too.
    HWND report = locker().WaitForMessageBox(nullptr);
    ASSERT_NE(report, nullptr) << "no report of the wrong entry";
    EXPECT_TRUE(IsCentredIn(RectOf(report), PrimaryWorkArea()));
    PressKey(VK_RETURN);
    EXPECT_TRUE(RestoredAfterExit());
}
