// The settings dialog's more-operations menu as a user meets it: where it
// drops down, the desktop shortcut its entry makes, and dismissing it.
#include <array>

#include "LockFixture.h"

namespace {

const int kChecks[] = {IDC_HOLD_OFF, IDC_ALLOW_SHUTDOWN, IDC_MODE_FIRST, IDC_MODE_FIRST + 1, IDC_MODE_FIRST + 2, IDC_MODE_LAST};

// What the user can see of the settings dialog's values.
struct DialogState {
    bool visible = false;
    std::array<int, 2> passwordLengths{};
    std::wstring moreText;
    std::array<UINT, 6> checks{};
    bool operator==(const DialogState& o) const {
        return visible == o.visible && passwordLengths == o.passwordLengths && moreText == o.moreText &&
               checks == o.checks;
    }
};

DialogState StateOf(HWND settings) {
    DialogState state;
    state.visible = IsWindowVisible(settings);
    state.passwordLengths = {TextLength(GetDlgItem(settings, IDC_PASSWORD)),
                             TextLength(GetDlgItem(settings, IDC_CONFIRM))};
    state.moreText = WindowText(GetDlgItem(settings, IDC_MORE));
    for (size_t i = 0; i < state.checks.size(); ++i) state.checks[i] = IsDlgButtonChecked(settings, kChecks[i]);
    return state;
}

}  // namespace

class ShortcutTest : public LockFixture {
protected:
    void SetUp() override {
        LockFixture::SetUp();
        if (HasFatalFailure()) return;
        m_link = DesktopFolder() + L"\\Quilmar.LNK";
        DeleteFileW(m_link.c_str());
        StartLock();
        m_settings = WaitForSettings();
        ASSERT_NE(m_settings, nullptr) << "no settings dialog";
        ASSERT_TRUE(BringToFront(m_settings));
        m_before = StateOf(m_settings);
    }
    void TearDown() override {
        DeleteFileW(m_link.c_str());
        LockFixture::TearDown();
    }

    HWND More() const { return GetDlgItem(m_settings, IDC_MORE); }
    bool LinkExists() const { return GetFileAttributesW(m_link.c_str()) != INVALID_FILE_ATTRIBUTES; }

    HWND OpenMenu() {
        ClickWindow(More());
        return WaitForPopupMenu(locker().ProcessId());
    }

    // Waits until the dialog has handled a key typed now: by then it has
    // handled every command posted to it before. The key is taken back.
    void SyncWithDialog() {
        ASSERT_TRUE(TypeInto(m_settings, IDC_CONFIRM, L"x"));
        const auto length = [this] { return TextLength(GetDlgItem(m_settings, IDC_CONFIRM)); };
        ASSERT_TRUE(WaitFor(length, Is(m_before.passwordLengths[1] + 1)));
        PressKey(VK_BACK);
        ASSERT_TRUE(WaitFor(length, Is(m_before.passwordLengths[1])));
    }

    void ExpectDialogUnchanged() {
        EXPECT_TRUE(StateOf(m_settings) == m_before) << "the settings dialog changed";
        EXPECT_TRUE(locker().Running());
    }

    std::wstring m_link;
    HWND m_settings = nullptr;
    DialogState m_before;
};

TEST_F(ShortcutTest, EntryPutsAShortcutToQuilmarOnTheDesktop) {
    HWND menu = OpenMenu();
    ASSERT_NE(menu, nullptr) << "no menu dropped down";
    RECT button, popup;
    GetWindowRect(More(), &button);
    GetWindowRect(menu, &popup);
    EXPECT_EQ(popup.left, button.left);
    EXPECT_EQ(popup.top, button.bottom);

    ClickWindow(menu);  // its only entry fills it
    ShellLink link;
    ASSERT_TRUE(WaitFor([&] { return ReadShellLink(m_link, link); }, Is(true))) << "no shortcut on the desktop";
    EXPECT_EQ(link.target, m_folder + L"\\quilmar.exe");
    EXPECT_EQ(link.path, m_folder + L"\\quilmar.exe");
    EXPECT_EQ(link.description, L"Quilmar");
    EXPECT_TRUE(WaitFor([menu] { return !IsWindowVisible(menu); }, Is(true)));
    ExpectDialogUnchanged();

    // Made again, the file is written anew in the same place.
    WriteFileBytes(m_link, "not a link");
    ASSERT_TRUE(CreateShortcutFromSettings(m_settings)) << "the second shortcut never came";
    ASSERT_TRUE(ReadShellLink(m_link, link));
    EXPECT_EQ(link.target, m_folder + L"\\quilmar.exe");
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((DesktopFolder() + L"\\Quilmar*").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FindNextFileW(find, &found)) << "more than one shortcut";
    FindClose(find);
    ExpectDialogUnchanged();
}

TEST_F(ShortcutTest, DismissingTheMenuCreatesNothing) {
    HWND menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([menu] { return !IsWindowVisible(menu); }, Is(true)));
    SyncWithDialog();
    EXPECT_FALSE(LinkExists());

    // A click on the dialog's bare area beside the check boxes.
    menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    RECT edit, check;
    GetWindowRect(GetDlgItem(m_settings, IDC_CONFIRM), &edit);
    GetWindowRect(GetDlgItem(m_settings, IDC_ALLOW_SHUTDOWN), &check);
    const POINT bare = {edit.right - 10, (check.top + check.bottom) / 2};
    ASSERT_EQ(WindowFromPoint(bare), m_settings);
    MovePointer(bare);
    LeftButton(true);
    LeftButton(false);
    ASSERT_TRUE(WaitFor([menu] { return !IsWindowVisible(menu); }, Is(true)));
    SyncWithDialog();
    EXPECT_FALSE(LinkExists());
    ExpectDialogUnchanged();
}
