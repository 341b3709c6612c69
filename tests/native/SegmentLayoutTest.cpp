// Cell layout, point mapping and edge colours of the segment display.
#include <gtest/gtest.h>

#include "clock/CColonDotGlyph.h"
#include "clock/CFourteenSegmentGlyph.h"
#include "clock/CSevenSegmentGlyph.h"
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

TEST(SegmentLayout, InkPixelsHoldEveryPointDrawnAndStayClearOfTheNeighbours) {
    const CSevenSegmentGlyph seven;
    const CFourteenSegmentGlyph fourteen;
    const CColonDotGlyph colonDot;
    for (double scale : {0.2, 0.5, 1.0, 1.2048, 3.4163, 6.5}) {
        for (double offset : {0.0, 0.25, 0.5, 0.75}) {
            for (const CSegmentGlyph* glyph : {static_cast<const CSegmentGlyph*>(&seven),
                                               static_cast<const CSegmentGlyph*>(&fourteen),
                                               static_cast<const CSegmentGlyph*>(&colonDot)}) {
                const GlyphCell cell = {7 + offset, 3 + offset, 7 + offset + glyph->Width() * scale,
                                        3 + offset + kGlyphHeight * scale};
                const PixelRect pixels = InkPixels(*glyph, cell);
                for (const SegmentOutline& outline : glyph->Outlines()) {
                    for (const SegmentPoint& unit : outline) {
                        // The pen covers the pixel at the point and may
                        // spill one further on the right and bottom.
                        const SegmentPoint p = MapToCell(cell, glyph->Width(), unit);
                        EXPECT_TRUE(p.x >= pixels.left && p.x + 1 < pixels.right && p.y >= pixels.top &&
                                    p.y + 1 < pixels.bottom)
                            << scale << " " << offset << " " << p.x << "," << p.y;
                    }
                }
                // From a pixel per unit on, the ink of a glyph stays inside
                // its own cell, so a neighbour's can be drawn without it.
                if (scale >= 1) {
                    EXPECT_GE(pixels.left, cell.left) << scale << " " << offset;
                    EXPECT_LE(pixels.right, cell.right) << scale << " " << offset;
                }
            }
        }
    }
}

TEST(SegmentLayout, ChangedGlyphsOnlyWhenTheCellsStayPut) {
    const auto changed = [](const wchar_t* before, const wchar_t* after) {
        return ChangedGlyphs(BuildGlyphList(before), BuildGlyphList(after));
    };
    EXPECT_EQ(changed(L"12:34.5", L"12:34.6"), std::vector<std::size_t>{6});
    EXPECT_EQ(changed(L"12:34.9", L"12:35.0"), (std::vector<std::size_t>{4, 6}));
    EXPECT_EQ(changed(L"1;2", L"12"), std::vector<std::size_t>{});
    // A letter in a digit's place: same width, another glyph.
    EXPECT_EQ(changed(L"8", L"B"), std::vector<std::size_t>{0});
    // The first hour: more glyphs, every cell moves.
    EXPECT_EQ(changed(L"59:59.9", L"01:00:00.0"), std::nullopt);
    // Same count, but a colon where a digit was.
    EXPECT_EQ(changed(L"1:2", L"122"), std::nullopt);
}
