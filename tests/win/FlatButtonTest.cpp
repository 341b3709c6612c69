// The flat menu button in a shown dialog, driven with the pointer and keys:
// its face in each state, hover tracking, its place among the dialog's
// buttons and tab stops, and the drop-down menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "Drive.h"
#include "FlatButtonTestIds.h"
#include "MenuTestResources.h"
#include "MenuTestSupport.h"
#include "TestSurface.h"
#include "controls/CFlatButton.h"
#include "framework/CDialog.h"
#include "res/resource.h"

namespace {

// Counts the pointer moves that reached the button, so a test knows its
// input has been handled.
class CountingFlatButton : public CFlatButton {
public:
    int m_nMoves = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_MOUSEMOVE) ++m_nMoves;
        return CFlatButton::WindowProc(message, wParam, lParam);
    }
};

class FlatButtonDlg : public CDialog {
public:
    FlatButtonDlg() : CDialog(IDD_FLAT_BUTTON_TEST) {}

    CountingFlatButton m_btnMore;
    CFlatButton m_btnWrap;
    CFlatButton m_btnOk;
    int m_nClicks = 0;
    int m_nDoubleClicks = 0;
    int m_nMenuCommands = 0;

protected:
    void DoDataExchange() override {
        m_btnMore.SubclassDlgItem(IDC_FLAT_BUTTON, this);
        m_btnWrap.SubclassDlgItem(IDC_FLAT_WRAP, this);
        m_btnOk.SubclassDlgItem(IDOK, this);
    }
    void OnMoreClicked() { ++m_nClicks; }
    void OnMoreDoubleClicked() { ++m_nDoubleClicks; }
    void OnMenuCommand() { ++m_nMenuCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FlatButtonDlg, CDialog)
    ON_CONTROL(BN_CLICKED, IDC_FLAT_BUTTON, OnMoreClicked)
    ON_CONTROL(BN_DOUBLECLICKED, IDC_FLAT_BUTTON, OnMoreDoubleClicked)
    ON_COMMAND(ID_CREATE_SHORTCUT, OnMenuCommand)
END_MESSAGE_MAP()

// Waits with this thread's messages run as the program's modal loop runs
// them, pre-translation first.
bool RunUntil(const std::function<bool()>& condition) {
    return WaitFor(condition, [](MSG& msg) {
        if (!CWnd::WalkPreTranslateTree(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    });
}

// Everything queued for this thread handled.
void Settle() {
    RunUntil([] { return HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0; });
}

POINT Centre(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

HWND VisiblePopupMenu() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

struct Box {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;  // inclusive
    bool operator==(const Box& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// A picture of a button's face as it paints itself now.
class Face {
public:
    explicit Face(HWND button) : m_surface(Width(button), Height(button)) { m_surface.Print(button); }

    COLORREF At(int x, int y) const {
        return m_surface.Pixel(x < 0 ? m_surface.Width() + x : x, y < 0 ? m_surface.Height() + y : y);
    }
    // The pixels inside the frame that match `keep`.
    Box InkBox(const std::function<bool(COLORREF)>& keep) const {
        Box box;
        for (int y = 1; y < m_surface.Height() - 1; ++y) {
            for (int x = 1; x < m_surface.Width() - 1; ++x) {
                if (!keep(m_surface.Pixel(x, y))) continue;
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
            }
        }
        return box;
    }
    Box Caption() const {
        return InkBox([](COLORREF c) { return c != KnownColors::kFace; });
    }
    // The outermost ring is one colour on its top and left, another on its
    // bottom and right.
    bool Frame(COLORREF topLeft, COLORREF bottomRight) const {
        const int w = m_surface.Width(), h = m_surface.Height();
        for (int x = 0; x < w - 1; ++x)
            if (At(x, 0) != topLeft || At(x, -1) != bottomRight) return false;
        for (int y = 0; y < h - 1; ++y)
            if (At(0, y) != topLeft || At(-1, y) != bottomRight) return false;
        return At(-1, 0) == bottomRight && At(0, -1) == bottomRight;
    }
    bool Flat() const { return Frame(KnownColors::kFace, KnownColors::kFace); }
    int Width() const { return m_surface.Width(); }
    int Height() const { return m_surface.Height(); }

private:
    static int Width(HWND w) {
        RECT r;
        GetClientRect(w, &r);
        return r.right;
    }
    static int Height(HWND w) {
        RECT r;
        GetClientRect(w, &r);
        return r.bottom;
    }
    TestSurface m_surface;
};

// Presses keys in the open pop-up menu from another thread, since the
// menu's own loop holds the test's thread while it is open.
class MenuHand {
public:
    explicit MenuHand(std::vector<WORD> keys) : m_keys(std::move(keys)) {
        m_thread = std::thread([this] {
            HWND menu = nullptr;
            WaitFor([&] { return m_stop || (menu = VisiblePopupMenu()) != nullptr; });
            if (!menu) return;
            GetWindowRect(menu, &m_menuRect);
            m_sawMenu = true;
            m_pressedWhileOpen = WaitFor([this] { return PressedFaceOnScreen(); });
            for (WORD key : m_keys) PressKey(key);
        });
    }
    ~MenuHand() {
        m_stop = true;
        m_thread.join();
    }
    MenuHand(const MenuHand&) = delete;
    MenuHand& operator=(const MenuHand&) = delete;

    HWND m_hButton = nullptr;
    std::atomic<bool> m_sawMenu{false};
    std::atomic<bool> m_pressedWhileOpen{false};
    RECT m_menuRect{};

private:
    bool PressedFaceOnScreen() const {
        RECT r;
        GetWindowRect(m_hButton, &r);
        const std::vector<COLORREF> pixels = CaptureScreen(r);
        return pixels.front() == KnownColors::kButtonShadow && pixels.back() == KnownColors::kButtonLight;
    }

    std::vector<WORD> m_keys;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace

class FlatButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dialog.Create());
        SetWindowPos(m_dialog.m_hWnd, HWND_TOP, 60, 60, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ASSERT_TRUE(BringToFront(m_dialog.m_hWnd));
        // Start with the pointer away from the dialog.
        MovePointer({5, 5});
        Settle();
    }
    void TearDown() override {
        LeftButton(false);
        MovePointer({5, 5});
        m_dialog.DestroyWindow();
        Settle();
    }

    HWND More() const { return m_dialog.m_btnMore.m_hWnd; }
    HWND Item(int id) const { return GetDlgItem(m_dialog.m_hWnd, id); }

    // Moves the pointer and waits until the button has seen the move.
    void MoveOverMore(POINT at) {
        const int before = m_dialog.m_btnMore.m_nMoves;
        MovePointer(at);
        ASSERT_TRUE(RunUntil([&] { return m_dialog.m_btnMore.m_nMoves > before; }));
        Settle();
    }

    KnownColors m_colors;
    MenuSwitches m_switches;
    FlatButtonDlg m_dialog;
};

TEST_F(FlatButtonTest, FaceIsFlatRaisedWhenHoveredSunkenWhenPressedEmbossedWhenDisabled) {
    const Face normal(More());
    EXPECT_TRUE(normal.Flat());
    const Box caption = normal.Caption();
    ASSERT_LT(caption.left, caption.right) << "no caption drawn";
    EXPECT_GT(normal.InkBox([](COLORREF c) { return c == KnownColors::kButtonText; }).right, 0);

    MoveOverMore(Centre(More()));
    ASSERT_TRUE(RunUntil([&] { return Face(More()).Frame(KnownColors::kButtonLight, KnownColors::kButtonShadow); }))
        << "no raised frame under the pointer";
    EXPECT_EQ(Face(More()).Caption(), caption);

    // Leaving for another control takes the frame away.
    MovePointer(Centre(Item(IDC_FLAT_EDIT)));
    ASSERT_TRUE(RunUntil([&] { return Face(More()).Flat(); })) << "frame stayed after the pointer left";

    SendMessageW(More(), BM_SETSTATE, TRUE, 0);
    const Face pressed(More());
    SendMessageW(More(), BM_SETSTATE, FALSE, 0);
    EXPECT_TRUE(pressed.Frame(KnownColors::kButtonShadow, KnownColors::kButtonLight));
    const Box shifted = pressed.Caption();
    EXPECT_EQ(shifted, (Box{caption.left + 1, caption.top + 1, caption.right + 1, caption.bottom + 1}));

    EnableWindow(More(), FALSE);
    const Face disabled(More());
    EXPECT_TRUE(disabled.Flat());
    // The shadow copy sits where the caption is; the highlight copy shows
    // one pixel right of and below it.
    EXPECT_EQ(disabled.InkBox([](COLORREF c) { return c == KnownColors::kButtonShadow; }),
              normal.InkBox([](COLORREF c) { return c == KnownColors::kButtonText; }));
    EXPECT_EQ(disabled.Caption(), (Box{caption.left, caption.top, caption.right + 1, caption.bottom + 1}));
    EXPECT_GT(disabled.InkBox([](COLORREF c) { return c == KnownColors::kButtonLight; }).right, caption.left);
    EXPECT_EQ(disabled.InkBox([](COLORREF c) { return c == KnownColors::kButtonText; }).right, INT_MIN);
}

TEST_F(FlatButtonTest, WrappedCaptionIsCentredAsABlock) {
    const Face single(More());
    const Face wrapped(m_dialog.m_btnWrap.m_hWnd);
    const Box oneLine = single.Caption(), block = wrapped.Caption();
    ASSERT_LT(block.left, block.right);
    EXPECT_GT(block.bottom - block.top, 2 * (oneLine.bottom - oneLine.top)) << "caption did not wrap";
    EXPECT_NEAR(block.left, wrapped.Width() - 1 - block.right, 1);
    EXPECT_NEAR(block.top, wrapped.Height() - 1 - block.bottom, 4);
}

TEST_F(FlatButtonTest, NewSystemColoursRepaintTheFace) {
    const COLORREF face = RGB(20, 140, 30);
    const INT element = COLOR_BTNFACE;
    SetSysColors(1, &element, &face);
    EXPECT_TRUE(RunUntil([&] { return Face(More()).At(1, 1) == face; }));
}

TEST_F(FlatButtonTest, DragEnteringTheButtonDoesNotLightIt) {
    // Press on the dialog's bare background, which takes no capture.
    RECT bare = {80, 65, 81, 66};
    MapDialogRect(m_dialog.m_hWnd, &bare);
    POINT start = {bare.left, bare.top};
    ClientToScreen(m_dialog.m_hWnd, &start);
    ASSERT_EQ(WindowFromPoint(start), m_dialog.m_hWnd);
    MovePointer(start);
    LeftButton(true);
    Settle();

    const POINT inside = Centre(More());
    MoveOverMore(inside);
    EXPECT_TRUE(Face(More()).Flat()) << "a drag lit the button";

    // Released there, the next move lights it.
    LeftButton(false);
    MoveOverMore({inside.x + 1, inside.y + 1});
    EXPECT_TRUE(RunUntil([&] { return Face(More()).Frame(KnownColors::kButtonLight, KnownColors::kButtonShadow); }));
}

TEST_F(FlatButtonTest, DoubleClickArrivesAsASecondPress) {
    DoubleClickWindow(More());
    EXPECT_TRUE(RunUntil([&] { return m_dialog.m_nClicks == 2; })) << m_dialog.m_nClicks << " clicks";
    Settle();
    EXPECT_EQ(m_dialog.m_nDoubleClicks, 0);
}

TEST_F(FlatButtonTest, DefaultButtonRoleChangesTheDialogCodeButNotTheLook) {
    const auto code = [](HWND w) { return SendMessageW(w, WM_GETDLGCODE, 0, 0); };
    const auto type = [](HWND w) { return GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK; };
    // Bound to the template's default button, it starts as the default.
    EXPECT_EQ(code(m_dialog.m_btnOk.m_hWnd) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON), DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(type(m_dialog.m_btnOk.m_hWnd), BS_OWNERDRAW);
    EXPECT_EQ(code(More()) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON), DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(type(More()), BS_OWNERDRAW);

    SendMessageW(More(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(code(More()) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON), DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(type(More()), BS_OWNERDRAW);
    SendMessageW(More(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(code(More()) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON), DLGC_UNDEFPUSHBUTTON);

    // The dialog manager hands the role over when the focus moves to it.
    SendMessageW(m_dialog.m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(More()), TRUE);
    EXPECT_EQ(code(More()) & DLGC_DEFPUSHBUTTON, DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(code(m_dialog.m_btnOk.m_hWnd) & DLGC_DEFPUSHBUTTON, 0);
    EXPECT_EQ(type(More()), BS_OWNERDRAW);
    EXPECT_EQ(type(m_dialog.m_btnOk.m_hWnd), BS_OWNERDRAW);
}

TEST_F(FlatButtonTest, DisablingMovesTheFocusToTheNextTabStop) {
    SetFocus(Item(IDC_FLAT_EDIT));
    EnableWindow(More(), FALSE);
    EXPECT_EQ(GetFocus(), Item(IDC_FLAT_NEXT));

    // With no other tab stop left, the dialog itself takes the focus (and
    // its dialog manager puts it where it likes, but not on the button).
    EnableWindow(More(), TRUE);
    for (int id : {IDC_FLAT_EDIT, IDC_FLAT_NEXT, IDC_FLAT_WRAP, IDOK}) EnableWindow(Item(id), FALSE);
    SetFocus(More());
    EnableWindow(More(), FALSE);
    EXPECT_NE(GetFocus(), More());
    EXPECT_TRUE(GetFocus() == m_dialog.m_hWnd || IsChild(m_dialog.m_hWnd, GetFocus()));
}

TEST_F(FlatButtonTest, MenuOpensBelowTheButtonAndPostsTheChosenCommand) {
    ASSERT_EQ(m_dialog.m_btnMore.AttachMenu(IDR_MORE_MENU, m_dialog.m_hWnd, 1, 0, 16, 16, RGB(255, 0, 255), TRUE), 0);
    RECT button;
    GetWindowRect(More(), &button);
    {
        MenuHand hand({VK_DOWN, VK_RETURN});
        hand.m_hButton = More();
        ClickWindow(More());
        ASSERT_TRUE(RunUntil([&] { return m_dialog.m_nMenuCommands == 1; })) << "no command came";
        EXPECT_TRUE(hand.m_sawMenu);
        EXPECT_EQ(hand.m_menuRect.left, button.left);
        EXPECT_EQ(hand.m_menuRect.top, button.bottom);
        EXPECT_TRUE(hand.m_pressedWhileOpen) << "the face was not drawn pressed while the menu was open";
        // The dialog heard of the click as well.
        EXPECT_EQ(m_dialog.m_nClicks, 1);
        EXPECT_EQ(GetFocus(), More());
    }
    {
        MenuHand hand({VK_ESCAPE});
        hand.m_hButton = More();
        ClickWindow(More());
        ASSERT_TRUE(RunUntil([&] { return m_dialog.m_nClicks == 2; }));
        Settle();
        EXPECT_TRUE(hand.m_sawMenu);
        EXPECT_EQ(m_dialog.m_nMenuCommands, 1) << "a dismissed menu posted a command";
    }
    EXPECT_TRUE(RunUntil([&] { return Face(More()).At(0, 0) != KnownColors::kButtonShadow; }))
        << "the face stayed pressed after the menu closed";
}

TEST_F(FlatButtonTest, ButtonWithoutAMenuOnlyTakesTheFocus) {
    CFlatButton& more = m_dialog.m_btnMore;
    EXPECT_EQ(more.AttachMenu(9999, m_dialog.m_hWnd, 1, 0, 16, 16, 0, TRUE), 1);
    ASSERT_EQ(more.AttachMenu(IDR_MORE_MENU, m_dialog.m_hWnd, 1, 0, 16, 16, 0, TRUE), 0);
    // A toolbar without its images takes the menu away again.
    EXPECT_EQ(more.AttachMenu(IDR_TEST_MENU, m_dialog.m_hWnd, 1, IDR_TOOLBAR_NO_STRIP, 24, 24, 0, TRUE), 1);
    {
        MenuHand hand({VK_ESCAPE});
        hand.m_hButton = More();
        ClickWindow(More());
        ASSERT_TRUE(RunUntil([&] { return m_dialog.m_nClicks == 1; }));
        EXPECT_EQ(GetFocus(), More());
        EXPECT_FALSE(hand.m_sawMenu);
    }
    // A menu without a pop-up to drop down opens nothing either.
    ASSERT_EQ(more.AttachMenu(IDR_FLAT_PLAIN_MENU, m_dialog.m_hWnd, 1, 0, 16, 16, 0, TRUE), 0);
    MenuHand hand({VK_ESCAPE});
    hand.m_hButton = More();
    ClickWindow(More());
    ASSERT_TRUE(RunUntil([&] { return m_dialog.m_nClicks == 2; }));
    EXPECT_FALSE(hand.m_sawMenu);
}
