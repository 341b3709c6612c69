#pragma once
// A picture of a few colours at four bits a pixel: how the segment display
// keeps the glyphs it has drawn. A glyph shows at most five colours (the
// background, two fills, two outlines), so this holds it exactly in an
// eighth of the room of the 32-bit picture it was drawn as.
#include <cstdint>
#include <optional>
#include <vector>

class PackedPicture {
public:
    // `pixels` are the picture's rows top down, one 32-bit colour each.
    // Nothing when the picture has more than 16 colours.
    static std::optional<PackedPicture> Pack(const std::vector<std::uint32_t>& pixels, int width, int height);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // The colours the pixels index, in the values they were given in.
    const std::vector<std::uint32_t>& Palette() const { return m_palette; }
    // The rows top down as a 4-bit device-independent bitmap has them:
    // each padded to whole 32-bit words, two pixels to a byte, the left
    // one in the high half.
    const std::vector<std::uint8_t>& Rows() const { return m_rows; }
    // The pixels as they were packed, rows top down.
    std::vector<std::uint32_t> Unpack() const;

private:
    PackedPicture(int width, int height);

    int m_nWidth;
    int m_nHeight;
    std::vector<std::uint32_t> m_palette;
    std::vector<std::uint8_t> m_rows;
};
