// The glyph pictures the segment display keeps: their bytes go to the
// system as a 4-bit bitmap, so the layout must be exactly that one.
#include <gtest/gtest.h>

#include "clock/PackedPicture.h"

TEST(PackedPicture, RowsAreThoseOfAFourBitBitmap) {
    const std::uint32_t a = 0x000000, b = 0x00FF00, c = 0x0034A0;
    // Three pixels a row: one and a half bytes, padded to four.
    const auto picture = PackedPicture::Pack({a, b, c, c, a, b}, 3, 2);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Palette(), (std::vector<std::uint32_t>{a, b, c}));
    EXPECT_EQ(picture->Rows(), (std::vector<std::uint8_t>{0x01, 0x20, 0, 0, 0x20, 0x10, 0, 0}));
    // Unpacked for a place that changes at every tick: the very pixels.
    EXPECT_EQ(picture->Unpack(), (std::vector<std::uint32_t>{a, b, c, c, a, b}));
}

TEST(PackedPicture, HoldsSixteenColoursAndNoMore) {
    std::vector<std::uint32_t> pixels;
    for (std::uint32_t colour = 0; colour < 16; ++colour) pixels.push_back(colour * 0x010101);
    const auto sixteen = PackedPicture::Pack(pixels, 16, 1);
    ASSERT_TRUE(sixteen);
    EXPECT_EQ(sixteen->Rows()[7], 0xEF);
    pixels.push_back(0xFFFFFF);
    EXPECT_FALSE(PackedPicture::Pack(pixels, 17, 1));
}
