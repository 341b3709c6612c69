// Toolbar resources and their bitmap strips as the menu icons read them.
#include <gtest/gtest.h>

#include "menu/ToolbarResource.h"

namespace {

std::vector<uint8_t> Words(std::initializer_list<uint16_t> words) {
    std::vector<uint8_t> bytes;
    for (uint16_t w : words) {
        bytes.push_back(static_cast<uint8_t>(w));
        bytes.push_back(static_cast<uint8_t>(w >> 8));
    }
    return bytes;
}

std::vector<uint8_t> InfoHeader(uint16_t bitCount, uint32_t colorsUsed) {
    std::vector<uint8_t> header(40, 0);
    header[0] = 40;
    header[14] = static_cast<uint8_t>(bitCount);
    for (int i = 0; i < 4; ++i) header[32 + i] = static_cast<uint8_t>(colorsUsed >> (8 * i));
    return header;
}

}  // namespace

TEST(MenuToolbar, ReadsSizeAndCommands) {
    const std::vector<uint8_t> bytes = Words({1, 24, 22, 4, 0, 101, 900, 102});
    ToolbarResource toolbar;
    ASSERT_TRUE(ParseToolbarResource(bytes.data(), bytes.size(), toolbar));
    EXPECT_EQ(toolbar.imageWidth, 24);
    EXPECT_EQ(toolbar.imageHeight, 22);
    EXPECT_EQ(toolbar.commands, (std::vector<uint16_t>{0, 101, 900, 102}));

    // Every shorter buffer is refused, read within its bounds.
    for (size_t size = 0; size < bytes.size(); ++size) {
        const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<long>(size));
        EXPECT_FALSE(ParseToolbarResource(prefix.data(), prefix.size(), toolbar)) << size;
    }
}

TEST(MenuToolbar, ImageIndexOfEachButton) {
    // Image numbers go to the non-separator buttons in order; a command's
    // first button decides, and image number 0 gives way to the position.
    const std::vector<uint16_t> leadingSeparator = {0, 101, 900, 0, 102, 101};
    EXPECT_EQ(ToolbarImageIndex(leadingSeparator, 1), 1);
    EXPECT_EQ(ToolbarImageIndex(leadingSeparator, 2), 1);
    EXPECT_EQ(ToolbarImageIndex(leadingSeparator, 4), 2);
    EXPECT_EQ(ToolbarImageIndex(leadingSeparator, 5), 1);

    const std::vector<uint16_t> plain = {101, 102, 0, 103};
    EXPECT_EQ(ToolbarImageIndex(plain, 0), 0);
    EXPECT_EQ(ToolbarImageIndex(plain, 1), 1);
    EXPECT_EQ(ToolbarImageIndex(plain, 3), 2);
}

TEST(MenuToolbar, StripColorCount) {
    const auto count = [](const std::vector<uint8_t>& header) { return BitmapColorCount(header.data(), header.size()); };
    EXPECT_EQ(count(InfoHeader(4, 0)), 16);
    EXPECT_EQ(count(InfoHeader(1, 0)), 2);
    EXPECT_EQ(count(InfoHeader(8, 0)), 256);
    EXPECT_EQ(count(InfoHeader(8, 16)), 16);
    EXPECT_EQ(count(InfoHeader(24, 0)), 0);
    EXPECT_EQ(count(InfoHeader(32, 0)), 0);
    std::vector<uint8_t> core(12, 0);  // the old 12-byte header
    core[0] = 12;
    core[10] = 4;
    EXPECT_EQ(count(core), 16);
    std::vector<uint8_t> cut = InfoHeader(4, 0);
    cut.resize(20);
    EXPECT_EQ(count(cut), 0);
    EXPECT_EQ(BitmapColorCount(nullptr, 0), 0);
}
