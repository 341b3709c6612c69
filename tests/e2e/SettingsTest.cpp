// The settings dialog as a user meets it: validation, keys that must not end
// it, and what accepting or cancelling does to config.ini and the system.
#include "LockFixture.h"

namespace {

const char kConfig[] =
    "[other]\r\nkey=value\r\n[user]\r\nbgmode=1\r\nextra=5\r\nbdisablescreensafe=1\r\n"
    "ballowshutdown=0\r\n[last]\r\nx=y\r\n";

}  // namespace

class SettingsTest : public LockFixture {
protected:
    HWND OpenSettings() {
        StartLock();
        HWND settings = WaitForSettings();
        EXPECT_NE(settings, nullptr);
        if (settings) {
            EXPECT_TRUE(BringToFront(settings));
        }
        return settings;
    }

    // Presses OK and expects the message box with `text`; closes it and
    // checks the keys go to the field it points at again.
    void ExpectMessage(HWND settings, const std::wstring& text, int field) {
        ClickWindow(GetDlgItem(settings, IDC_OK));
        HWND box = ExpectMessageBox(settings, text);
        ASSERT_NE(box, nullptr) << "no message box";
        PressKey(VK_RETURN);
        ASSERT_TRUE(WaitFor([box] { return !IsWindow(box); }, Is(true)));
        EXPECT_TRUE(WaitForKeysTo(GetDlgItem(settings, field)));
        EXPECT_TRUE(IsWindowVisible(settings));
    }
};

TEST_F(SettingsTest, RefusesEmptyOrMismatchedPasswordsAndMessagesTheFileCannotKeep) {
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    // White space only is empty, whatever the second box holds.
    ASSERT_TRUE(TypeInto(settings, IDC_PASSWORD, L"   "));
    ASSERT_TRUE(TypeInto(settings, IDC_CONFIRM, L"x"));
    ExpectMessage(settings, L"解锁密码不能为空！", IDC_PASSWORD);

    // Letter case counts; the typed texts stay as they were.
    ASSERT_TRUE(TypeInto(settings, IDC_PASSWORD, L"Abc"));
    ExpectMessage(settings, L"两次输入不一致！", IDC_CONFIRM);
    EXPECT_EQ(TextLength(GetDlgItem(settings, IDC_PASSWORD)), 6);
    EXPECT_EQ(TextLength(GetDlgItem(settings, IDC_CONFIRM)), 1);

    // With the passwords alike, the message: a letter no code page of the
    // file holds (Thai), then one character too many.
    PressKey(VK_BACK);
    TypeText(L"Abc");
    ASSERT_TRUE(TypeInto(settings, IDC_MESSAGE, L"\u0E01"));
    ExpectMessage(settings, L"锁屏留言中有无法保存的字符！", IDC_MESSAGE);
    PressKey(VK_BACK);
    TypeText(std::wstring(81, L'm'));
    ExpectMessage(settings, L"锁屏留言不能超过 80 个字符！", IDC_MESSAGE);
    EXPECT_EQ(TextLength(GetDlgItem(settings, IDC_MESSAGE)), 81);
    EXPECT_TRUE(locker().Running());
}

TEST_F(SettingsTest, EnterAndEscapeLeaveTheDialogOpen) {
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(TypeInto(settings, IDC_PASSWORD, L"pw"));
    ASSERT_TRUE(TypeInto(settings, IDC_CONFIRM, L"pw"));
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    TypeText(L"z");  // handled after both keys
    ASSERT_TRUE(WaitFor([&] { return TextLength(GetDlgItem(settings, IDC_CONFIRM)); }, Is(3)));
    EXPECT_TRUE(IsWindowVisible(settings));
    EXPECT_TRUE(locker().Running());
    // The message box comes next in the tab order, right after the passwords.
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return locker().FocusWindow(); }, Is(GetDlgItem(settings, IDC_MESSAGE))));
}

TEST_F(SettingsTest, CancelEndsTheLockAndLeavesConfigAsItWas) {
    WriteFileBytes(locker().ConfigPath(), kConfig);
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(PolicyValueSet(L"DisableTaskMgr"));
    ClickWindow(GetDlgItem(settings, IDC_CANCEL));
    EXPECT_TRUE(RestoredAfterExit());
    EXPECT_EQ(ReadFileBytes(locker().ConfigPath()), kConfig);
}

TEST_F(SettingsTest, AcceptWritesEachOptionInPlaceAndNeverThePassword) {
    WriteFileBytes(locker().ConfigPath(), kConfig);
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    ClickWindow(GetDlgItem(settings, IDC_MODE_FIRST + 2));  // highly transparent
    ClickWindow(GetDlgItem(settings, IDC_HOLD_OFF));  // hold-off off
    ClickWindow(GetDlgItem(settings, IDC_ALLOW_SHUTDOWN));  // shutdown allowed
    ASSERT_TRUE(WaitFor([&] { return IsDlgButtonChecked(settings, IDC_ALLOW_SHUTDOWN); }, Is<UINT>(BST_CHECKED)));
    // Quoted, as people quote a sign; the file keeps the quotes.
    ASSERT_TRUE(TypeInto(settings, IDC_MESSAGE, L" \"Back at 2\" "));
    ASSERT_TRUE(AcceptSettings(settings, L"secret1"));

    EXPECT_EQ(ReadFileBytes(locker().ConfigPath()),
              "[other]\r\nkey=value\r\n[user]\r\nbgmode=2\r\nextra=5\r\nbdisablescreensafe=0\r\n"
              "ballowshutdown=1\r\nmessage=\"\"Back at 2\"\"\r\n[last]\r\nx=y\r\n");
    EXPECT_FALSE(PolicyValueSet(L"DisableLockWorkstation"));
}

// A hand-edited message longer than the limit comes into the box cut; a
// box cleared writes an empty value, no longer the old one.
TEST_F(SettingsTest, UnknownModeIsHandedBackUnchangedAndAClearedMessageWrittenEmpty) {
    const std::string options = "[user]\r\nbgmode=7\r\nbdisablescreensafe=0\r\nballowshutdown=0\r\nmessage=";
    WriteFileBytes(locker().ConfigPath(), options + std::string(40, 'a') + std::string(41, 'b') + "\r\n");
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    wchar_t shown[128] = {};
    GetDlgItemTextW(settings, IDC_MESSAGE, shown, 128);
    EXPECT_EQ(std::wstring(shown), std::wstring(40, L'a') + std::wstring(40, L'b'));
    ASSERT_TRUE(TypeInto(settings, IDC_MESSAGE, L""));
    PressKey(VK_END);
    PressKeys({VK_SHIFT, VK_HOME});
    PressKey(VK_DELETE);
    ASSERT_TRUE(WaitFor([&] { return TextLength(GetDlgItem(settings, IDC_MESSAGE)); }, Is(0)));
    ASSERT_TRUE(AcceptSettings(settings, L"pw"));
    EXPECT_EQ(ReadFileBytes(locker().ConfigPath()), options + "\r\n");
}
