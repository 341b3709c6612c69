// Measuring and painting menu items in the classic and the XP look, read
// back from a memory surface, and the GDI objects that painting leaves.
#include <windows.h>

#include <gtest/gtest.h>

#include "MenuTestResources.h"
#include "MenuTestSupport.h"
#include "menu/MenuColor.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 22;
constexpr RECT kItem = {0, 0, kWidth, kHeight};

// Paints one item of the test menu, in the look chosen, on a white surface.
class TaviMenuDraw : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_root.LoadMenu(IDR_TEST_MENU));
        m_file = m_root.GetPopup(0);
        m_edit = m_root.GetPopup(1);
        // Neither XP nor a pre-95 platform: plain theme colours, 3-D edges.
        TaviMenu::s_nPlatform = 6;
    }

    void Draw(TaviMenu& menu, UINT_PTR command, UINT state) {
        m_surface.Fill(RGB(255, 255, 255));
        DRAWITEMSTRUCT draw = DrawRequest(menu, PositionOf(menu, command), m_surface.DC(), kItem, state);
        menu.DrawItem(&draw);
    }
    COLORREF At(int x, int y) const { return m_surface.Pixel(x, y); }
    // Pixels of the colour where the item's label goes.
    int InLabel(COLORREF color, int left) const { return m_surface.Count({left, 2, left + 60, kHeight - 2}, color); }

    MenuSwitches m_switches;
    KnownColors m_colors;
    TaviMenu m_root;
    TaviMenu* m_file = nullptr;
    TaviMenu* m_edit = nullptr;
    TestSurface m_surface{kWidth, kHeight, RGB(255, 255, 255)};
};

using C = KnownColors;
// The XP look without the XP theme lightens the face, tint and gray text.
const COLORREF kXPFace = MixWithWhite(C::kFace, 0.25);
const COLORREF kXPTint = MixWithWhite(C::kHighlight, 0.85);
constexpr int kXPColumn = 16 + 7;     // icon cell plus the gap with image effects
constexpr int kXPText = kXPColumn + 8;
constexpr int kClassicText = 16 + 9;
// A command that no test gives an icon: the shared icons stay for the process.
constexpr UINT kPlain = ID_SAVE_AS;
// Right of the accelerator, which ends one icon cell before the edge.
constexpr int kBackground = kWidth - 8;

}  // namespace

TEST_F(TaviMenuDraw, XPItemBackgroundsInEachState) {
    MenuSwitches::UseXPStyle(true);
    Draw(*m_file, kPlain, 0);
    EXPECT_EQ(At(kXPColumn / 2, kHeight / 2), kXPFace);
    EXPECT_EQ(At(kXPColumn + 1, kHeight / 2), C::kWindow);
    EXPECT_EQ(At(kWidth - 1, kHeight - 1), C::kWindow);
    EXPECT_GT(InLabel(C::kMenuText, kXPText), 0);

    // Under the pointer: the pale tint over the whole item, framed in the
    // highlight colour, the text unchanged.
    Draw(*m_file, kPlain, ODS_SELECTED);
    EXPECT_EQ(At(kXPColumn / 2, kHeight / 2), kXPTint);
    EXPECT_EQ(At(kBackground, kHeight / 2), kXPTint);
    for (const POINT& p : {POINT{0, 0}, POINT{kWidth - 1, 5}, POINT{100, kHeight - 1}, POINT{0, kHeight / 2}})
        EXPECT_EQ(At(p.x, p.y), C::kHighlight) << p.x << "," << p.y;
    EXPECT_GT(InLabel(C::kMenuText, kXPText), 0);

    // Grayed: never highlighted, gray text lightened.
    Draw(*m_edit, ID_PASTE, ODS_GRAYED | ODS_SELECTED);
    EXPECT_EQ(At(kBackground, kHeight / 2), C::kWindow);
    EXPECT_EQ(At(0, 0), kXPFace);
    EXPECT_GT(InLabel(MixWithWhite(C::kGrayText, 0.4), kXPText), 0);
    EXPECT_EQ(InLabel(C::kMenuText, kXPText), 0);
}

TEST_F(TaviMenuDraw, XPCheckBoxAndRadioDot) {
    MenuSwitches::UseXPStyle(true);
    Draw(*m_file, ID_SAVE_AS, ODS_CHECKED);
    // A 16 x 16 box centred in the icon column: (4, 3) to (20, 19).
    EXPECT_EQ(At(4, 3), C::kHighlight);
    EXPECT_EQ(At(19, 18), C::kHighlight);
    EXPECT_EQ(At(6, 5), kXPTint);
    EXPECT_EQ(At(3, 3), kXPFace);
    // The check mark from (9, 7): down to the right, then up.
    for (const POINT& p : {POINT{9, 9}, POINT{9, 11}, POINT{11, 13}, POINT{15, 7}, POINT{15, 9}})
        EXPECT_EQ(At(p.x, p.y), C::kMenuText) << p.x << "," << p.y;
    EXPECT_EQ(At(9, 8), kXPTint);
    EXPECT_EQ(At(15, 10), kXPTint);

    // A custom checked-state bitmap asks for the dot instead.
    const GdiObject<HBITMAP> mark(CreateBitmap(8, 8, 1, 1, nullptr));
    ASSERT_TRUE(SetMenuItemBitmaps(m_file->m_hMenu, ID_SAVE_AS, MF_BYCOMMAND, nullptr, mark.get()));
    Draw(*m_file, ID_SAVE_AS, ODS_CHECKED);
    EXPECT_EQ(At(11, 9), C::kMenuText);
    EXPECT_EQ(At(15, 8), kXPTint);  // where the check mark would be
    SetMenuItemBitmaps(m_file->m_hMenu, ID_SAVE_AS, MF_BYCOMMAND, nullptr, nullptr);
}

TEST_F(TaviMenuDraw, XPSeparatorLeavesTheColumnAndGap) {
    MenuSwitches::UseXPStyle(true);
    Draw(*m_file, 0, 0);
    const int line = kHeight / 2;
    EXPECT_EQ(At(kXPColumn / 2, line), kXPFace);
    EXPECT_EQ(At(kXPColumn + 3, line), C::kWindow);
    EXPECT_EQ(At(kXPColumn + 7, line), C::kButtonShadow);
    EXPECT_EQ(At(kXPColumn + 7, line + 1), C::kButtonLight);
    EXPECT_EQ(At(150, line - 1), C::kWindow);
}

TEST_F(TaviMenuDraw, ClassicItemInEachState) {
    MenuSwitches::UseXPStyle(false);
    Draw(*m_file, kPlain, 0);
    EXPECT_EQ(At(5, kHeight / 2), C::kMenu);
    EXPECT_EQ(At(kBackground, kHeight / 2), C::kMenu);
    EXPECT_GT(InLabel(C::kMenuText, kClassicText), 0);

    // Selected: the whole item in the highlight colour.
    Draw(*m_file, kPlain, ODS_SELECTED);
    EXPECT_EQ(At(0, 0), C::kHighlight);
    EXPECT_EQ(At(kBackground, kHeight / 2), C::kHighlight);
    EXPECT_GT(InLabel(C::kHighlightText, kClassicText), 0);
    EXPECT_EQ(InLabel(C::kMenuText, kClassicText), 0);

    // Grayed: embossed gray text.
    Draw(*m_edit, ID_PASTE, ODS_GRAYED);
    EXPECT_EQ(At(kBackground, kHeight / 2), C::kMenu);
    EXPECT_GT(InLabel(C::kGrayText, kClassicText), 0);
    EXPECT_GT(InLabel(C::kButtonLight, kClassicText), 0);
    EXPECT_EQ(InLabel(C::kMenuText, kClassicText), 0);

    // Grayed under the pointer: highlighted, the text in the menu colour.
    Draw(*m_edit, ID_PASTE, ODS_GRAYED | ODS_SELECTED);
    EXPECT_EQ(At(kBackground, kHeight / 2), C::kHighlight);
    EXPECT_GT(InLabel(C::kMenu, kClassicText), 0);
    EXPECT_EQ(InLabel(C::kGrayText, kClassicText), 0);
}

TEST_F(TaviMenuDraw, ClassicCheckMarkAndSeparator) {
    MenuSwitches::UseXPStyle(false);
    // Checked, under the pointer: the highlight starts after the icon cell;
    // the box (1, 3) to (17, 18) keeps the menu colour inside a sunken edge.
    Draw(*m_file, ID_SAVE_AS, ODS_CHECKED | ODS_SELECTED);
    EXPECT_EQ(At(16 + 5, kHeight / 2), C::kHighlight);
    EXPECT_EQ(At(1, 3), C::kButtonShadow);
    EXPECT_EQ(At(16, 17), C::kButtonLight);
    EXPECT_EQ(At(3, 5), C::kMenu);
    for (const POINT& p : {POINT{5, 9}, POINT{5, 11}, POINT{7, 13}, POINT{11, 7}})
        EXPECT_EQ(At(p.x, p.y), C::kMenuText) << p.x << "," << p.y;

    // Not under the pointer the box is lightened.
    Draw(*m_file, ID_SAVE_AS, ODS_CHECKED);
    EXPECT_EQ(At(3, 5), MixWithWhite(C::kMenu, 0.6));
    EXPECT_EQ(At(5, 10), C::kMenuText);

    Draw(*m_file, 0, 0);
    EXPECT_EQ(At(5, 2), C::kMenu);
    EXPECT_EQ(At(100, kHeight / 2), C::kButtonShadow);
    EXPECT_EQ(At(100, kHeight / 2 + 1), C::kButtonLight);
}

TEST_F(TaviMenuDraw, AcceleratorEndsOneCellBeforeTheRightEdge) {
    MenuSwitches::UseXPStyle(false);
    Draw(*m_file, ID_OPEN, 0);
    // Text pixels up to the accelerator's end, none in the last 16 pixels.
    const int right = kWidth - 16;
    EXPECT_EQ(m_surface.Count({right, 0, kWidth, kHeight}, C::kMenuText), 0);
    EXPECT_GT(m_surface.Count({right - 8, 0, right, kHeight}, C::kMenuText), 0);
}

TEST_F(TaviMenuDraw, MeasuredSizesInBothStyles) {
    const LONG extent = MenuTextWidth(Record(*m_file, ID_EXIT).m_pszText);
    const int menuBar = GetSystemMetrics(SM_CYMENU);

    const auto measure = [this](UINT_PTR command) {
        MEASUREITEMSTRUCT request{};
        request.CtlType = ODT_MENU;
        request.itemData = reinterpret_cast<ULONG_PTR>(&Record(*m_file, command));
        EXPECT_TRUE(MenuMap::MeasureItem(&request));
        return request;
    };

    MenuSwitches::UseXPStyle(true);
    MEASUREITEMSTRUCT item = measure(ID_EXIT);
    EXPECT_EQ(item.itemWidth, static_cast<UINT>(extent + 16 + 7 + 8));
    EXPECT_EQ(item.itemHeight, static_cast<UINT>(std::max(menuBar, 22)));
    MEASUREITEMSTRUCT separator = measure(0);
    EXPECT_EQ(separator.itemWidth, 0u);
    EXPECT_EQ(separator.itemHeight, static_cast<UINT>(std::max(menuBar / 2, 11)));

    MenuSwitches::UseXPStyle(false);
    item = measure(ID_EXIT);
    EXPECT_EQ(item.itemWidth, static_cast<UINT>(extent + 33));
    EXPECT_EQ(item.itemHeight, static_cast<UINT>(std::max(menuBar, 19)));
    EXPECT_EQ(measure(0).itemHeight, static_cast<UINT>(std::max(menuBar / 2, 9)));

    // A request for an item of no menu of ours is left alone.
    MenuItemRecord stranger;
    MEASUREITEMSTRUCT foreign{};
    foreign.CtlType = ODT_MENU;
    foreign.itemData = reinterpret_cast<ULONG_PTR>(&stranger);
    EXPECT_FALSE(MenuMap::MeasureItem(&foreign));
}

namespace {

// How many more GDI objects this process can make: a leak of any kind of
// object shows as a smaller number. (Wine's GetGuiResources reports 0.)
int GdiObjectsLeft() {
    std::vector<HBRUSH> brushes;
    while (HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3))) brushes.push_back(brush);
    for (HBRUSH brush : brushes) DeleteObject(brush);
    return static_cast<int>(brushes.size());
}

}  // namespace

TEST_F(TaviMenuDraw, ThousandsOfItemPaintsLeaveNoGdiObjects) {
    // With icons, so that the raised, faded, shadowed and embossed images are
    // painted too. The variants are made while the XP look is on.
    MenuSwitches::UseXPStyle(true);
    ASSERT_TRUE(m_root.AddToolbarImages(IDR_TOOLBAR_24));
    const UINT states[] = {0, ODS_SELECTED, ODS_GRAYED, ODS_GRAYED | ODS_SELECTED, ODS_CHECKED,
                           ODS_CHECKED | ODS_SELECTED};
    const auto paintAll = [&] {
        for (bool xp : {true, false}) {
            MenuSwitches::UseXPStyle(xp);
            for (auto* menu : {m_file, m_edit}) {
                for (size_t i = 0; i < menu->m_items.size(); ++i) {
                    MEASUREITEMSTRUCT measure{};
                    measure.CtlType = ODT_MENU;
                    measure.itemData = reinterpret_cast<ULONG_PTR>(menu->m_items[i].get());
                    menu->MeasureItem(&measure);
                    for (UINT state : states) {
                        DRAWITEMSTRUCT draw = DrawRequest(*menu, static_cast<int>(i), m_surface.DC(), kItem, state);
                        menu->DrawItem(&draw);
                    }
                }
            }
        }
    };
    paintAll();  // caches of the first use settle
    const DWORD countedBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const int leftBefore = GdiObjectsLeft();
    for (int round = 0; round < 60; ++round) paintAll();  // 60 x 2 x 7 x (1 + 6) calls
    EXPECT_EQ(GdiObjectsLeft(), leftBefore);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), countedBefore);
}

TEST(TaviMenuTheme, ClassicThemeIsReadOnceAndOnlyCountsOnXP) {
    MenuSwitches switches;
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Plus!\\Themes\\Current", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const auto setTheme = [key](const std::wstring& path) {
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    };
    setTheme(L"C:\\WINDOWS\\Resources\\Themes\\WINDOWS CLASSIC.THEME");
    EXPECT_TRUE(TaviMenu::IsClassicTheme());
    setTheme(L"C:\\WINDOWS\\Resources\\Themes\\Luna.theme");
    EXPECT_TRUE(TaviMenu::IsClassicTheme());
    RegCloseKey(key);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Plus!\\Themes\\Current");

    // XP under the classic theme draws with the unthemed switch.
    TaviMenu::s_nPlatform = 7;
    TaviMenu::s_nStyleThemed = 1;
    TaviMenu::s_nStyleUnthemed = 0;
    EXPECT_FALSE(TaviMenu::IsXPThemed());
    EXPECT_FALSE(TaviMenu::IsXPStyleActive());
    TaviMenu::s_nStyleUnthemed = 1;
    EXPECT_TRUE(TaviMenu::IsXPStyleActive());
}
