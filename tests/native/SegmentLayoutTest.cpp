// Cell layout, point mapping and edge colours of the segment display.
#include <gtest/gtest.h>

#include "clock/SegmentLayout.h"

namespace {
const std::vector<int> kClockWidths = {49, 49, 18, 49, 49, 18, 49};  // 12:34.5

double TotalWidth(const std::vector<GlyphCell>& cells) {
    return cells.back().right - cells.front().left;
}
}  // namespace

TEST(SegmentLayout, KeepAspectScalesByTheTighterAxisAndCentres) {
    // 281 units at 100/83 px per unit is about 338.6 px of 562.
    const auto cells = LayoutCells(kClockWidths, 562, 100, SDS_KEEPASPECT | SDS_SOFTEDGE);
    ASSERT_EQ(cells.size(), 7u);
    const double scale = 100.0 / 83;
    EXPECT_NEAR(TotalWidth(cells), 281 * scale, 1e-9);
    EXPECT_NEAR(cells.front().left, 562 - cells.back().right, 1e-9);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_NEAR(cells[i].right - cells[i].left, kClockWidths[i] * scale, 1e-9);
        EXPECT_NEAR(cells[i].top, 0, 1e-9);
        EXPECT_NEAR(cells[i].bottom, 100, 1e-9);
        if (i > 0) {
            EXPECT_DOUBLE_EQ(cells[i].left, cells[i - 1].right);
        }
    }

    // A narrow, tall control: the width decides, the glyphs sit in the middle.
    const auto tall = LayoutCells(kClockWidths, 281, 300, SDS_KEEPASPECT);
    EXPECT_DOUBLE_EQ(tall.front().left, 0);
    EXPECT_DOUBLE_EQ(tall.back().right, 281);
    EXPECT_DOUBLE_EQ(tall.front().top, (300 - 83) / 2.0);
    EXPECT_DOUBLE_EQ(tall.front().bottom, (300 + 83) / 2.0);
}

TEST(SegmentLayout, WithoutKeepAspectGlyphsStretchToFill) {
    const auto cells = LayoutCells(kClockWidths, 562, 100, SDS_SOFTEDGE);
    EXPECT_DOUBLE_EQ(cells.front().left, 0);
    EXPECT_NEAR(cells.back().right, 562, 1e-9);
    EXPECT_DOUBLE_EQ(cells[0].right, 98);  // 49 units at 2 px each
    EXPECT_DOUBLE_EQ(cells[2].right - cells[2].left, 36);
    EXPECT_DOUBLE_EQ(cells[3].bottom, 100);
}

TEST(SegmentLayout, NoGlyphsNoCells) {
    EXPECT_TRUE(LayoutCells({}, 562, 100, SDS_KEEPASPECT).empty());
    EXPECT_TRUE(LayoutCells({}, 0, 0, 0).empty());
}

TEST(SegmentLayout, PointsMapToTheNearestPixelOfTheCell) {
    // 49 x 83 units drawn 98 x 166 px from (10, 20): 2 px per unit.
    const GlyphCell cell = {10, 20, 108, 186};
    EXPECT_EQ(MapToCell(cell, 49, {0, 0}), (SegmentPoint{10, 20}));
    EXPECT_EQ(MapToCell(cell, 49, {49, 83}), (SegmentPoint{108, 186}));
    EXPECT_EQ(MapToCell(cell, 49, {5, 4}), (SegmentPoint{20, 28}));
    // Real cell edges: 10.3 + 0.5 rounds down, 10.6 + 0.5 rounds up.
    EXPECT_EQ(MapToCell({10.3, 0.6, 59.3, 83.6}, 49, {0, 0}), (SegmentPoint{10, 1}));
    EXPECT_EQ(MapToCell({10.6, 0.4, 59.6, 83.4}, 49, {0, 0}), (SegmentPoint{11, 0}));
}

TEST(SegmentLayout, SoftEdgeBlendsAQuarterOfTheBackgroundPerChannel) {
    EXPECT_EQ(SoftEdgeColour(0x00FFFF, 0x000000), 0x00BFBFu);  // yellow on black: 191
    EXPECT_EQ(SoftEdgeColour(0xFFFFFF, 0x000000), 0xBFBFBFu);
    EXPECT_EQ(SoftEdgeColour(0x000000, 0xFFFFFF), 0x3F3F3Fu);  // 63.75 cuts to 63
    EXPECT_EQ(SoftEdgeColour(0x003400, 0x000000), 0x002700u);  // 0.75 * 52 = 39
    EXPECT_EQ(SoftEdgeColour(0x804020, 0x08F010), 0x626C1Cu);  // channels do not mix
}
