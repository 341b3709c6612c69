// The rules that choose and size the menu look: colour mixing, platform
// generations, the classic theme name, and item measuring.
#include <gtest/gtest.h>

#include "menu/MenuColor.h"
#include "menu/MenuMetrics.h"
#include "menu/MenuPlatform.h"

namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r | g << 8 | b << 16;
}

PlatformVersion Nt(uint32_t major, uint32_t minor) {
    return {major | minor << 8, true, major, minor};
}

PlatformVersion Windows9x(uint32_t major, uint32_t minor) {
    return {0x80000000u | major | minor << 8, true, major, minor};
}

}  // namespace

TEST(MenuColor, MixWithWhite) {
    EXPECT_EQ(MixWithWhite(Rgb(0, 0, 0), 0.5), Rgb(127, 127, 127));
    EXPECT_EQ(MixWithWhite(Rgb(10, 100, 200), 1), Rgb(255, 255, 255));
    // Each channel on its own, truncated: 100 + 155 * 0.3 = 146.5.
    EXPECT_EQ(MixWithWhite(Rgb(0, 100, 255), 0.3), Rgb(76, 146, 255));
    for (double factor : {0.0, -1.0, 1.5}) EXPECT_EQ(MixWithWhite(Rgb(10, 100, 200), factor), Rgb(10, 100, 200)) << factor;
}

TEST(MenuPlatform, GenerationTable) {
    EXPECT_EQ(ClassifyPlatform({0x80000003u, true, 3, 11}), 0);  // Win32s
    EXPECT_EQ(ClassifyPlatform({0x80000003u, false, 0, 0}), 0);
    EXPECT_EQ(ClassifyPlatform(Windows9x(4, 0)), 2);
    EXPECT_EQ(ClassifyPlatform(Windows9x(4, 10)), 3);
    EXPECT_EQ(ClassifyPlatform(Windows9x(4, 90)), 4);
    EXPECT_EQ(ClassifyPlatform(Windows9x(4, 3)), 2);
    EXPECT_EQ(ClassifyPlatform(Nt(3, 51)), 1);
    EXPECT_EQ(ClassifyPlatform(Nt(4, 0)), 5);
    EXPECT_EQ(ClassifyPlatform(Nt(5, 0)), 6);
    EXPECT_EQ(ClassifyPlatform(Nt(5, 1)), 7);
    EXPECT_EQ(ClassifyPlatform(Nt(5, 2)), 1);
    EXPECT_EQ(ClassifyPlatform(Nt(6, 1)), 1);
    EXPECT_EQ(ClassifyPlatform(Nt(10, 0)), 1);
    // Without the detailed query only the family is known.
    PlatformVersion unknown9x = Windows9x(4, 10);
    unknown9x.detailsKnown = false;
    EXPECT_EQ(ClassifyPlatform(unknown9x), 2);
    PlatformVersion unknownNt = Nt(5, 1);
    unknownNt.detailsKnown = false;
    EXPECT_EQ(ClassifyPlatform(unknownNt), 1);
}

TEST(MenuPlatform, ClassicThemeNameAtTheEndInAnyCase) {
    EXPECT_TRUE(IsClassicThemePath(u"C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme"));
    EXPECT_TRUE(IsClassicThemePath(u"c:\\themes\\WINDOWS CLASSIC.THEME"));
    EXPECT_TRUE(IsClassicThemePath(u"Windows Classic.theme"));
    EXPECT_FALSE(IsClassicThemePath(u"indows Classic.theme"));
    EXPECT_FALSE(IsClassicThemePath(u"C:\\Themes\\Luna.theme"));
    EXPECT_FALSE(IsClassicThemePath(u"C:\\Windows Classic.theme.bak"));
    EXPECT_FALSE(IsClassicThemePath(u"C:\\Windows_Classic.theme"));
    EXPECT_FALSE(IsClassicThemePath(u""));
}

TEST(MenuMetrics, ItemSizesInBothStyles) {
    // XP style with image effects: the wider gap.
    const int xpGap = MenuIconGap(true);
    EXPECT_EQ(xpGap, 7);
    const MenuItemMetrics xp(16, 15, xpGap, 96);
    MenuItemSize size = MeasureMenuText(60, xp, true, 19);
    EXPECT_EQ(size.width, 60 + 16 + 7 + 8);
    EXPECT_EQ(size.height, 22);
    EXPECT_EQ(MeasureMenuText(60, xp, true, 30).height, 30);
    size = MeasureMenuSeparator(19, xp);
    EXPECT_EQ(size.width, 0);
    EXPECT_EQ(size.height, 11);
    EXPECT_EQ(MeasureMenuSeparator(30, xp).height, 15);

    // Classic style: two cell widths and the narrow gap.
    const int classicGap = MenuIconGap(false);
    EXPECT_EQ(classicGap, 4);
    const MenuItemMetrics classic(16, 15, classicGap, 96);
    size = MeasureMenuText(60, classic, false, 18);
    EXPECT_EQ(size.width, 60 + 33);
    EXPECT_EQ(size.height, 19);
    EXPECT_EQ(MeasureMenuSeparator(18, classic).height, 9);
    EXPECT_EQ(MeasureMenuSeparator(21, classic).height, 10);

    // A 24 x 24 cell.
    const MenuItemMetrics large(24, 24, xpGap, 96);
    size = MeasureMenuText(0, large, true, 19);
    EXPECT_EQ(size.width, 24 + 7 + 8);
    EXPECT_EQ(size.height, 31);
    EXPECT_EQ(MeasureMenuSeparator(19, large).height, 15);
}

TEST(MenuMetrics, IconBandAndSpacesGrowWithTheDpi) {
    // At 144 DPI every space is half as large again: the 16 x 15 cell is
    // 24 x 23 (22.5 rounded up), the gap 11 (10.5), the text's inset 12.
    const MenuItemMetrics xp(16, 15, MenuIconGap(true), 144);
    EXPECT_EQ(xp.imageWidth, 24);
    EXPECT_EQ(xp.imageHeight, 23);
    EXPECT_EQ(xp.gap, 11);
    MenuItemSize size = MeasureMenuText(144, xp, true, 29);
    EXPECT_EQ(size.width, 144 + 24 + 11 + 12);
    EXPECT_EQ(size.height, 34);
    EXPECT_EQ(MeasureMenuSeparator(29, xp).height, 17);
    const MenuItemMetrics classic(16, 15, MenuIconGap(false), 144);
    EXPECT_EQ(MeasureMenuText(144, classic, false, 29).width, 144 + 48 + 2);
    // 192 DPI doubles.
    const MenuItemMetrics twice(16, 15, MenuIconGap(true), 192);
    EXPECT_EQ(MeasureMenuText(100, twice, true, 38).width, 100 + 2 * (16 + 7 + 8));
}

TEST(MenuMetrics, SixteenBitTextWidthEstimate) {
    // 57 + 3 = 60, plus three times the 6-pixel average of 10 characters.
    EXPECT_EQ(EstimateMenuTextWidth(57, 10), 78);
    EXPECT_EQ(EstimateMenuTextWidth(0, 1), 12);
    EXPECT_EQ(EstimateMenuTextWidth(0, 0), 3);
}
