// The window layer: message tables and their chaining, the modal loop and
// its pre-translation, modeless dialogs and subclassed controls.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "FrameworkTestIds.h"
#include "framework/CDialog.h"
#include "framework/ScopedHandles.h"

namespace {

std::vector<std::string> g_log;

class BaseDlg : public CDialog {
public:
    BaseDlg(CWnd* parent = nullptr) : CDialog(IDD_FRAMEWORK_TEST, parent) {}

protected:
    void OnEleven() { g_log.push_back("base command"); }
    LRESULT OnApp(WPARAM, LPARAM) {
        g_log.push_back("base app");
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseDlg, CDialog)
    ON_COMMAND(IDC_TEST_BUTTON, OnEleven)
    ON_MESSAGE(WM_APP, OnApp)
END_MESSAGE_MAP()

class DerivedDlg : public BaseDlg {
public:
    using BaseDlg::BaseDlg;
    std::vector<UINT> m_preTranslated;
    RECT m_rectAtEnd = {};

    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN) m_preTranslated.push_back(static_cast<UINT>(msg->wParam));
        return BaseDlg::PreTranslateMessage(msg);
    }

protected:
    LRESULT OnApp(WPARAM, LPARAM) {
        g_log.push_back("derived app");
        return 2;
    }
    void OnTimerMessage(UINT_PTR id) {
        g_log.push_back("timer " + std::to_string(id));
        GetWindowRect(m_hWnd, &m_rectAtEnd);
        EndDialog(static_cast<int>(id));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedDlg, BaseDlg)
    ON_MESSAGE(WM_APP, OnApp)
    ON_TYPED(WM_TIMER, OnTimerMessage)
END_MESSAGE_MAP()

// A dialog whose typed rows say what their handlers were given.
class TypedDlg : public BaseDlg {
protected:
    void OnWindowPosChanging(WINDOWPOS* change) {
        if (!(change->flags & SWP_NOSIZE)) change->cx = 123;
    }
    void OnSysCommand(UINT command) { g_log.push_back("command " + std::to_string(command)); }
    void OnActivate(UINT state, HWND other, bool minimised) {
        g_log.push_back("activate " + std::to_string(state) + (other == m_hWnd ? " self" : " other") +
                        (minimised ? " minimised" : ""));
    }
    void OnShowWindow(bool shown, UINT status) {
        g_log.push_back(std::string(shown ? "shown " : "hidden ") + std::to_string(status));
    }
    bool OnQueryEndSession(UINT reasons) { return !(reasons & ENDSESSION_CLOSEAPP); }
    void OnEndSession(bool ending, UINT reasons) {
        g_log.push_back(std::string(ending ? "ends " : "goes on ") + std::to_string(reasons));
    }
    HICON OnQueryDragIcon() { return LoadIconW(nullptr, IDI_APPLICATION); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TypedDlg, BaseDlg)
    ON_TYPED(WM_WINDOWPOSCHANGING, OnWindowPosChanging)
    ON_TYPED(WM_SYSCOMMAND, OnSysCommand)
    ON_TYPED(WM_ACTIVATE, OnActivate)
    ON_TYPED(WM_SHOWWINDOW, OnShowWindow)
    ON_TYPED(WM_QUERYENDSESSION, OnQueryEndSession)
    ON_TYPED(WM_ENDSESSION, OnEndSession)
    ON_TYPED(WM_QUERYDRAGICON, OnQueryDragIcon)
END_MESSAGE_MAP()

// A dialog that does one thing to itself once its modal run has begun.
template <class Action> class ScriptedDlg : public DerivedDlg {
public:
    ScriptedDlg(Action action, CWnd* parent = nullptr) : DerivedDlg(parent), m_action(action) {}

protected:
    BOOL OnInitDialog() override {
        DerivedDlg::OnInitDialog();
        m_action(this);
        return TRUE;
    }
    Action m_action;
};

template <class Action> INT_PTR RunModal(Action action, CWnd* parent = nullptr) {
    ScriptedDlg<Action> dialog(action, parent);
    return dialog.DoModal();
}

class RecordingEdit : public CWnd {
protected:
    void PreSubclassWindow() override { g_log.push_back("presubclass"); }
    LRESULT OnChar(WPARAM ch, LPARAM) {
        g_log.push_back(std::string("char ") + static_cast<char>(ch));
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingEdit, CWnd)
    ON_MESSAGE(WM_CHAR, OnChar)
END_MESSAGE_MAP()

// A button that answers its own notifications when told to.
class ReflectingButton : public CWnd {
public:
    bool m_bKeepClicks = false;
    HBRUSH m_hBrush = nullptr;

protected:
    LRESULT OnClicked(WPARAM, LPARAM) {
        g_log.push_back("reflected click");
        return m_bKeepClicks;
    }
    LRESULT OnCtlColor(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hBrush); }
    LRESULT OnDrawItem(WPARAM, LPARAM) {
        g_log.push_back("reflected draw");
        return TRUE;
    }
    void OnSysColorChange() { g_log.push_back("colours"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingButton, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_REFLECT(WM_CTLCOLORBTN, OnCtlColor)
    ON_REFLECT(WM_DRAWITEM, OnDrawItem)
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
END_MESSAGE_MAP()

// A dialog whose button 11 is a ReflectingButton.
struct ReflectionFixture {
    DerivedDlg dialog;
    ReflectingButton button;
    ReflectionFixture() {
        EXPECT_TRUE(dialog.Create());
        EXPECT_TRUE(button.SubclassDlgItem(IDC_TEST_BUTTON, &dialog));
    }
    LRESULT SendToDialog(UINT message, WPARAM wParam, LPARAM lParam) {
        return SendMessageW(dialog.m_hWnd, message, wParam, lParam);
    }
};

}  // namespace

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override { g_log.clear(); }
};

TEST_F(FrameworkTest, MessageTablesChainToTheBaseClass) {
    DerivedDlg dialog;
    ASSERT_TRUE(dialog.Create());
    // The derived row wins over the base row for the same message.
    EXPECT_EQ(SendMessageW(dialog.m_hWnd, WM_APP, 0, 0), 2);
    // A command only the base class lists reaches the base handler.
    SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_CLICKED), 0);
    // Another notification code of the same control is not a click.
    SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_SETFOCUS), 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"derived app", "base command"}));
    // Unlisted messages get the dialog manager's default processing.
    SendMessageW(dialog.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"title"));
    wchar_t title[16] = {};
    GetWindowTextW(dialog.m_hWnd, title, 16);
    EXPECT_STREQ(title, L"title");
}

TEST_F(FrameworkTest, ModalRunReturnsTheEndDialogResult) {
    EXPECT_EQ(RunModal([](CDialog* d) { SetTimer(d->m_hWnd, 42, 10, nullptr); }), 42);
    EXPECT_EQ(g_log, (std::vector<std::string>{"timer 42"}));
}

TEST_F(FrameworkTest, CloseRequestCancelsAModalRun) {
    EXPECT_EQ(RunModal([](CDialog* d) { PostMessageW(d->m_hWnd, WM_CLOSE, 0, 0); }), IDCANCEL);
}

TEST_F(FrameworkTest, KeysReachPreTranslateFromTheFocusedChildFirst) {
    std::vector<UINT> seen;
    struct Spy : DerivedDlg {
        std::vector<UINT>* seen;
        BOOL OnInitDialog() override {
            DerivedDlg::OnInitDialog();
            // A key for the edit box, then a timer that ends the run.
            PostMessageW(GetDlgItem(m_hWnd, IDC_TEST_EDIT), WM_KEYDOWN, VK_F5, 0);
            SetTimer(m_hWnd, 7, 10, nullptr);
            return TRUE;
        }
        ~Spy() override { *seen = m_preTranslated; }
    };
    {
        Spy dialog;
        dialog.seen = &seen;
        EXPECT_EQ(dialog.DoModal(), 7);
    }
    EXPECT_EQ(seen, (std::vector<UINT>{VK_F5}));
}

TEST_F(FrameworkTest, OwnerIsDisabledForTheModalRunOnly) {
    DerivedDlg owner;
    ASSERT_TRUE(owner.Create());
    ShowWindow(owner.m_hWnd, SW_SHOW);
    BOOL enabledDuringRun = TRUE;
    HWND ownerDuringRun = nullptr;
    RunModal(
        [&](CDialog* d) {
            enabledDuringRun = IsWindowEnabled(owner.m_hWnd);
            ownerDuringRun = GetWindow(d->m_hWnd, GW_OWNER);
            d->EndDialog(1);
        },
        &owner);
    EXPECT_FALSE(enabledDuringRun);
    EXPECT_EQ(ownerDuringRun, owner.m_hWnd);
    EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd));
}

TEST_F(FrameworkTest, HiddenModalDialogIsCentredOverItsOwner) {
    DerivedDlg owner;
    ASSERT_TRUE(owner.Create());
    SetWindowPos(owner.m_hWnd, nullptr, 100, 100, 600, 400, SWP_NOZORDER | SWP_SHOWWINDOW);
    ScriptedDlg dialog([](CDialog* d) { SetTimer(d->m_hWnd, 1, 10, nullptr); }, &owner);
    dialog.DoModal();
    const RECT& r = dialog.m_rectAtEnd;
    EXPECT_NEAR((r.left + r.right) / 2, 400, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, 300, 1);
}

TEST_F(FrameworkTest, ModelessEndDialogHidesWithoutDestroying) {
    auto* dialog = new DerivedDlg;
    ASSERT_TRUE(dialog->Create());
    HWND window = dialog->m_hWnd;
    ShowWindow(window, SW_SHOW);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    delete dialog;
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(FrameworkTest, SubclassedControlSeesItsMessagesFirst) {
    RecordingEdit edit;
    HWND editWindow = nullptr;
    {
        DerivedDlg dialog;
        ASSERT_TRUE(dialog.Create());
        ASSERT_TRUE(edit.SubclassDlgItem(IDC_TEST_EDIT, &dialog));
        editWindow = edit.m_hWnd;
        EXPECT_EQ(CWnd::FromHandle(editWindow), &edit);
        SendMessageW(editWindow, WM_CHAR, 'q', 0);
        wchar_t text[8] = {};
        GetWindowTextW(editWindow, text, 8);
        EXPECT_STREQ(text, L"q");  // the edit control's own handling still ran
    }
    EXPECT_EQ(g_log, (std::vector<std::string>{"presubclass", "char q"}));
    // The window went with the dialog; the object let go of it, and a new
    // window given the old handle would not find it.
    EXPECT_EQ(edit.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(editWindow));
    EXPECT_EQ(CWnd::FromHandle(editWindow), nullptr);
}

// Another part of the program that subclasses a window through the common
// controls' chain, each time under a new id.
LRESULT CALLBACK OtherSubclass(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_CHAR) g_log.push_back("other " + std::to_string(id));
    return DefSubclassProc(hWnd, message, wParam, lParam);
}

TEST_F(FrameworkTest, SubclassersBeforeAndAfterTheBindingKeepTheirPlaceAndLetGoAlone) {
    DerivedDlg dialog;
    ASSERT_TRUE(dialog.Create());
    HWND editWindow = GetDlgItem(dialog.m_hWnd, IDC_TEST_EDIT);
    ASSERT_TRUE(SetWindowSubclass(editWindow, OtherSubclass, 1, 0));
    RecordingEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(editWindow));
    ASSERT_TRUE(SetWindowSubclass(editWindow, OtherSubclass, 2, 0));
    SendMessageW(editWindow, WM_CHAR, 'a', 0);
    // Whichever goes first, the others and the edit control keep hearing.
    ASSERT_TRUE(RemoveWindowSubclass(editWindow, OtherSubclass, 1));
    SendMessageW(editWindow, WM_CHAR, 'b', 0);
    ASSERT_TRUE(RemoveWindowSubclass(editWindow, OtherSubclass, 2));
    SendMessageW(editWindow, WM_CHAR, 'c', 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"presubclass", "other 2", "char a", "other 1", "other 2", "char b",
                                               "char c"}));
    wchar_t text[8] = {};
    GetWindowTextW(editWindow, text, 8);
    EXPECT_STREQ(text, L"abc");
}

TEST_F(FrameworkTest, ControlSeesItsClickBeforeTheParentAndMayKeepIt) {
    ReflectionFixture f;
    SendMessageW(f.button.m_hWnd, BM_CLICK, 0, 0);
    // Another notification of the same control is not a click.
    f.SendToDialog(WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_SETFOCUS), reinterpret_cast<LPARAM>(f.button.m_hWnd));
    // A menu command with the same id comes from no control.
    f.SendToDialog(WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_CLICKED), 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"reflected click", "base command", "base command"}));

    g_log.clear();
    f.button.m_bKeepClicks = true;
    SendMessageW(f.button.m_hWnd, BM_CLICK, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"reflected click"}));
}

TEST_F(FrameworkTest, ControlChoosesItsOwnBrushOrLeavesItToTheParent) {
    ReflectionFixture f;
    const WindowDC dc(f.button.m_hWnd);
    const WPARAM dcParam = reinterpret_cast<WPARAM>(static_cast<HDC>(dc));
    // What the parent answers for a control that has no object of its own.
    const LRESULT parentBrush =
        f.SendToDialog(WM_CTLCOLORBTN, dcParam, reinterpret_cast<LPARAM>(GetDlgItem(f.dialog.m_hWnd, IDOK)));
    EXPECT_EQ(f.SendToDialog(WM_CTLCOLORBTN, dcParam, reinterpret_cast<LPARAM>(f.button.m_hWnd)), parentBrush);
    f.button.m_hBrush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    EXPECT_EQ(f.SendToDialog(WM_CTLCOLORBTN, dcParam, reinterpret_cast<LPARAM>(f.button.m_hWnd)),
              reinterpret_cast<LRESULT>(f.button.m_hBrush));
    // Other colour requests of the same control stay with the parent.
    EXPECT_NE(f.SendToDialog(WM_CTLCOLORSTATIC, dcParam, reinterpret_cast<LPARAM>(f.button.m_hWnd)),
              reinterpret_cast<LRESULT>(f.button.m_hBrush));
}

TEST_F(FrameworkTest, ControlDrawsItselfButMenuItemsStayWithTheOwner) {
    ReflectionFixture f;
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.CtlID = IDC_TEST_BUTTON;
    draw.hwndItem = f.button.m_hWnd;
    EXPECT_EQ(f.SendToDialog(WM_DRAWITEM, IDC_TEST_BUTTON, reinterpret_cast<LPARAM>(&draw)), TRUE);
    // For a menu item the field holds a menu handle, whatever its value.
    draw.CtlType = ODT_MENU;
    f.SendToDialog(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    EXPECT_EQ(g_log, (std::vector<std::string>{"reflected draw"}));
}

TEST_F(FrameworkTest, NewSystemColoursReachTheControls) {
    ReflectionFixture f;
    f.SendToDialog(WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"colours"}));
}

// Each word and long parameter reaches its handler as what it means; a
// change made to the WINDOWPOS is the one the system makes.
TEST_F(FrameworkTest, TypedRowsCrackTheirMessagesArguments) {
    TypedDlg dialog;
    ASSERT_TRUE(dialog.Create());
    HWND window = dialog.m_hWnd;
    SetWindowPos(window, nullptr, 0, 0, 200, 100, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 123);
    g_log.clear();  // whatever the system sent the new window meanwhile
    SendMessageW(window, WM_SYSCOMMAND, SC_SCREENSAVE | 2, MAKELPARAM(5, 6));
    SendMessageW(window, WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, TRUE), reinterpret_cast<LPARAM>(window));
    SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageW(window, WM_SHOWWINDOW, TRUE, SW_PARENTOPENING);
    SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    SendMessageW(window, WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"command " + std::to_string(SC_SCREENSAVE | 2),
                                               "activate 2 self minimised", "activate 0 other", "shown 3",
                                               "ends " + std::to_string(ENDSESSION_LOGOFF), "goes on 0"}));
    EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP), FALSE);
    EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_EQ(SendMessageW(window, WM_QUERYDRAGICON, 0, 0),
              reinterpret_cast<LRESULT>(LoadIconW(nullptr, IDI_APPLICATION)));

    // The framework's own row: a dialog takes the place the system suggests
    // for its new DPI.
    DerivedDlg plain;
    ASSERT_TRUE(plain.Create());
    RECT suggested = {40, 50, 340, 250};
    SendMessageW(plain.m_hWnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(plain.m_hWnd, &r);
    EXPECT_TRUE(EqualRect(&r, &suggested)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}
