// The screensaver hold-off, as a newly started program sees the setting.
#include "LockFixture.h"

using ScreenSaverTest = LockFixture;

TEST_F(ScreenSaverTest, HoldOffKeepsScreenSaverAndWorkstationLockAwayWhileLocked) {
    SetScreenSaverActive(true);
    ASSERT_TRUE(ScreenSaverActive());
    HWND lock = StartAcceptedLock(L"pw");  // the default file has the hold-off on
    ASSERT_NE(lock, nullptr);
    EXPECT_TRUE(WaitFor([] { return PolicyValueSet(L"DisableLockWorkstation"); }, Is(true)));
    EXPECT_TRUE(WaitFor(ScreenSaverActive, Is(false)));
    ASSERT_TRUE(Unlock(lock, L"pw"));
    EXPECT_TRUE(RestoredAfterExit());
    EXPECT_TRUE(WaitFor(ScreenSaverActive, Is(true)));
}

TEST_F(ScreenSaverTest, WithoutHoldOffTheScreenSaverIsLeftAlone) {
    WriteFileBytes(locker().ConfigPath(), "[user]\r\nbgmode=1\r\nbdisablescreensafe=0\r\nballowshutdown=0\r\n");
    const bool before = ScreenSaverActive();
    HWND lock = StartAcceptedLock(L"pw");
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(ScreenSaverActive(), before);
    EXPECT_FALSE(PolicyValueSet(L"DisableLockWorkstation"));
    ASSERT_TRUE(Unlock(lock, L"pw"));
    EXPECT_TRUE(RestoredAfterExit());
    EXPECT_EQ(ScreenSaverActive(), before);
}
