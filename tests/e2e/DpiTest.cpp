// The program at 144 DPI (ctest gives this binary's prefix that system DPI):
// the menu item is as wide as its text in the font it is drawn with, and no
// text of the dialogs is cut off.
#include "LockFixture.h"

namespace {

constexpr UINT kDpi = 144;

// The width of `text` in `font`.
int TextWidth(const LOGFONTW& font, const std::wstring& text) {
    const GdiObject<HFONT> made(CreateFontIndirectW(&font));
    const WindowDC dc(nullptr);
    const CSelectedObject selected(dc, made.get());
    RECT rc{};
    DrawTextW(dc, text.c_str(), -1, &rc, DT_CALCRECT | DT_SINGLELINE);
    return rc.right - rc.left;
}

LOGFONTW MenuFontAtDpi() {
    using ForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    const auto forDpi = reinterpret_cast<ForDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi")));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    EXPECT_TRUE(forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, kDpi));
    return metrics.lfMenuFont;
}

// The dialogs' font, 9-point 宋体, at the system DPI.
LOGFONTW DialogFont() {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(9, static_cast<int>(kDpi), 72);
    font.lfCharSet = DEFAULT_CHARSET;
    wcscpy(font.lfFaceName, L"宋体");
    return font;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// Every visible static and push button shows its text whole.
void ExpectTextsWhole(HWND dialog) {
    std::vector<HWND> children;
    EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&children));
    const LOGFONTW font = DialogFont();
    int checked = 0;
    for (HWND child : children) {
        wchar_t kind[16] = {};
        GetClassNameW(child, kind, 16);
        const std::wstring text = WindowText(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        const bool pushButton = _wcsicmp(kind, L"Button") == 0 &&
                                ((style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON || (style & BS_TYPEMASK) == BS_OWNERDRAW);
        if (text.empty() || !IsWindowVisible(child) || (_wcsicmp(kind, L"Static") != 0 && !pushButton)) continue;
        RECT client;
        GetClientRect(child, &client);
        EXPECT_LE(TextWidth(font, text), client.right) << "cut off: " << checked;
        ++checked;
    }
    EXPECT_GE(checked, 3);
}

}  // namespace

class DpiTest : public LockFixture {
protected:
    void SetUp() override {
        // Seen from a program unaware of DPI, the lock's windows and the
        // screen would be scaled down to 96 DPI: this one sees pixels.
        using SetContext = HANDLE(WINAPI*)(HANDLE);
        const auto setContext = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
        const auto perMonitor = reinterpret_cast<HANDLE>(-3);  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE
        ASSERT_TRUE(setContext && setContext(perMonitor));
        LockFixture::SetUp();
    }
};

TEST_F(DpiTest, MenuItemFitsItsTextAndDialogTextsAreWhole) {
    ASSERT_EQ(GetDeviceCaps(WindowDC(nullptr), LOGPIXELSX), static_cast<int>(kDpi)) << "the prefix is not at 144 DPI";
    HWND lock = StartLock();
    ASSERT_NE(lock, nullptr);
    HWND settings = WaitForSettings();
    ASSERT_NE(settings, nullptr);
    ExpectTextsWhole(settings);
    EXPECT_TRUE(IsCentredIn([&] { RECT rc; GetWindowRect(settings, &rc); return rc; }(), PrimaryWorkArea()));

    ASSERT_TRUE(BringToFront(settings));
    ClickWindow(GetDlgItem(settings, IDC_MORE));
    HWND menu = WaitForPopupMenu(locker().ProcessId());
    ASSERT_NE(menu, nullptr);
    // The one item fills the menu's client area. Its text starts right of the
    // icon band, band and spaces half as large again as at 96 DPI, where
    // they are 16 + 7 + 8 pixels.
    RECT item{};
    GetClientRect(menu, &item);
    const int textStart = (16 + 7 + 8) * 3 / 2;
    EXPECT_GE(item.right, textStart + TextWidth(MenuFontAtDpi(), L"创建桌面快捷方式"));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([menu] { return !IsWindowVisible(menu); }, Is(true)));

    ASSERT_TRUE(AcceptSettings(settings, L"pw"));
    HWND prompt = nullptr;
    ASSERT_TRUE(ShowPrompt(lock, &prompt));
    ExpectTextsWhole(prompt);
    EXPECT_TRUE(Unlock(lock, L"pw"));
    EXPECT_TRUE(RestoredAfterExit());
}
