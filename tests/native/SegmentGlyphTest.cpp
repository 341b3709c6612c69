// Glyph geometry and the character map. The expected outlines are the full
// tables, so the mirrored segments are checked point by point.
#include <gtest/gtest.h>

#include "clock/CColonDotGlyph.h"
#include "clock/CFourteenSegmentGlyph.h"
#include "clock/CSevenSegmentGlyph.h"
#include "clock/CharacterMap.h"

namespace {

const SegmentOutlines kSevenSegmentOutlines = {
    {{5, 4}, {12, 11}, {36, 11}, {43, 4}},
    {{4, 6}, {4, 40}, {11, 36}, {11, 13}},
    {{44, 6}, {44, 40}, {37, 36}, {37, 13}},
    {{6, 41}, {14, 45}, {34, 45}, {42, 41}, {34, 37}, {14, 37}},
    {{4, 76}, {4, 42}, {11, 46}, {11, 69}},
    {{44, 76}, {44, 42}, {37, 46}, {37, 69}},
    {{5, 78}, {12, 71}, {36, 71}, {43, 78}},
};

const SegmentOutlines kFourteenSegmentOutlines = {
    {{20, 13}, {20, 36}, {24, 40}, {28, 36}, {28, 13}},
    {{5, 5}, {15, 35}, {20, 37}, {18, 25}},
    {{43, 5}, {33, 35}, {28, 37}, {30, 25}},
    {{5, 77}, {15, 47}, {20, 45}, {18, 57}},
    {{43, 77}, {33, 47}, {28, 45}, {30, 57}},
    {{20, 69}, {20, 46}, {24, 42}, {28, 46}, {28, 69}},
    {{6, 41}, {14, 45}, {18, 45}, {22, 41}, {18, 37}, {14, 37}},
    {{42, 41}, {34, 45}, {30, 45}, {26, 41}, {30, 37}, {34, 37}},
    {{4, 7}, {4, 40}, {11, 36}, {11, 26}},
    {{4, 75}, {4, 42}, {11, 46}, {11, 56}},
    {{6, 78}, {11, 71}, {37, 71}, {42, 78}},
    {{44, 75}, {44, 42}, {37, 46}, {37, 56}},
    {{44, 7}, {44, 40}, {37, 36}, {37, 26}},
    {{6, 4}, {11, 11}, {37, 11}, {42, 4}},
};

const SegmentOutlines kColonDotOutlines = {
    {{4, 23}, {4, 32}, {13, 32}, {13, 23}},
    {{4, 50}, {4, 59}, {13, 59}, {13, 50}},
    {{4, 68}, {4, 77}, {13, 77}, {13, 68}},
};

// Seven-segment bits by name, to state digit shapes the way a reader sees them.
enum : std::uint16_t {
    Top = 1 << 0,
    UpperLeft = 1 << 1,
    UpperRight = 1 << 2,
    Middle = 1 << 3,
    LowerLeft = 1 << 4,
    LowerRight = 1 << 5,
    Bottom = 1 << 6,
};

bool SameClass(const CSegmentGlyph& glyph, const CSegmentGlyph& model) {
    return typeid(glyph) == typeid(model);
}

}  // namespace

TEST(SegmentGlyph, OutlinesOfEachClassIncludingMirroredSegments) {
    const CSevenSegmentGlyph seven;
    EXPECT_EQ(seven.Width(), 49);
    EXPECT_EQ(seven.Outlines(), kSevenSegmentOutlines);

    const CFourteenSegmentGlyph fourteen;
    EXPECT_EQ(fourteen.Width(), 49);
    EXPECT_EQ(fourteen.Outlines(), kFourteenSegmentOutlines);

    const CColonDotGlyph colonDot;
    EXPECT_EQ(colonDot.Width(), 18);
    EXPECT_EQ(colonDot.Outlines(), kColonDotOutlines);
}

TEST(SegmentCharacterMap, DigitsLightTheSegmentsOfTheirShape) {
    const std::pair<wchar_t, std::uint16_t> shapes[] = {
        {L'0', Top | UpperLeft | UpperRight | LowerLeft | LowerRight | Bottom},
        {L'1', UpperRight | LowerRight},
        {L'2', Top | UpperRight | Middle | LowerLeft | Bottom},
        {L'3', Top | UpperRight | Middle | LowerRight | Bottom},
        {L'4', UpperLeft | UpperRight | Middle | LowerRight},
        {L'5', Top | UpperLeft | Middle | LowerRight | Bottom},
        {L'6', Top | UpperLeft | Middle | LowerLeft | LowerRight | Bottom},
        {L'7', Top | UpperRight | LowerRight},
        {L'8', Top | UpperLeft | UpperRight | Middle | LowerLeft | LowerRight | Bottom},
        {L'9', Top | UpperLeft | UpperRight | Middle | LowerRight | Bottom},
        {L'-', Middle},
        {L' ', 0},
    };
    for (const auto& [ch, mask] : shapes) {
        auto glyph = CreateGlyph(ch);
        ASSERT_TRUE(glyph) << char(ch);
        EXPECT_TRUE(SameClass(*glyph, CSevenSegmentGlyph())) << char(ch);
        EXPECT_EQ(glyph->Mask(), mask) << char(ch);
    }
}

TEST(SegmentCharacterMap, LettersAndSymbolsUseFourteenSegments) {
    // A: the outer frame without the bottom, and both middle bars.
    auto a = CreateGlyph(L'A');
    ASSERT_TRUE(a);
    EXPECT_TRUE(SameClass(*a, CFourteenSegmentGlyph()));
    EXPECT_EQ(a->Mask(), 0x3BC0);
    // X: the four diagonals only.
    EXPECT_EQ(CreateGlyph(L'X')->Mask(), 0x001E);
    EXPECT_EQ(CreateGlyph(L'*')->Mask(), 0x00FF);
    EXPECT_EQ(CreateGlyph(L'\\')->Mask(), 0x0012);
    EXPECT_EQ(CreateGlyph(L'\'')->Mask(), 0x0001);

    for (wchar_t ch = L'A'; ch <= L'Z'; ++ch) {
        auto upper = CreateGlyph(ch);
        auto lower = CreateGlyph(static_cast<wchar_t>(ch - L'A' + L'a'));
        ASSERT_TRUE(upper && lower) << char(ch);
        EXPECT_TRUE(SameClass(*lower, *upper));
        EXPECT_EQ(lower->Mask(), upper->Mask()) << char(ch);
        EXPECT_NE(upper->Mask(), 0) << char(ch);
    }
}

TEST(SegmentCharacterMap, ColonAndPointShareTheNarrowGlyph) {
    auto colon = CreateGlyph(L':');
    auto point = CreateGlyph(L'.');
    ASSERT_TRUE(colon && point);
    EXPECT_TRUE(SameClass(*colon, CColonDotGlyph()));
    EXPECT_EQ(colon->Mask(), 0x03);
    EXPECT_EQ(point->Mask(), 0x04);
}

TEST(SegmentCharacterMap, UnknownCharactersGetNoGlyph) {
    for (wchar_t ch : {L';', L',', L'?', L'!', L'#', L'\0', L'\x00E9', L'\x0131', L'\x4E2D'})
        EXPECT_FALSE(CreateGlyph(ch)) << int(ch);
}

TEST(SegmentCharacterMap, GlyphListKeepsTextOrderAndSkipsUnknowns) {
    const GlyphList clock = BuildGlyphList(L"12:34.5");
    std::vector<int> widths;
    for (const auto& glyph : clock) widths.push_back(glyph->Width());
    EXPECT_EQ(widths, (std::vector<int>{49, 49, 18, 49, 49, 18, 49}));
    EXPECT_EQ(clock[0]->Mask(), UpperRight | LowerRight);
    EXPECT_EQ(clock[6]->Mask(), CreateGlyph(L'5')->Mask());

    const GlyphList closed = BuildGlyphList(L"1;2,");
    ASSERT_EQ(closed.size(), 2u);
    EXPECT_EQ(closed[1]->Mask(), CreateGlyph(L'2')->Mask());

    EXPECT_TRUE(BuildGlyphList(L"").empty());
}
