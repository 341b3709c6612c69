#include "clock/PackedPicture.h"

#include <algorithm>

namespace {
constexpr std::size_t kMaxColours = 16;

std::size_t RowBytes(int width) {
    return (static_cast<std::size_t>(width) * 4 + 31) / 32 * 4;
}
}  // namespace

PackedPicture::PackedPicture(int width, int height)
    : m_nWidth(width), m_nHeight(height), m_rows(RowBytes(width) * height) {}

std::optional<PackedPicture> PackedPicture::Pack(const std::vector<std::uint32_t>& pixels, int width,
                                                 int height) {
    PackedPicture picture(width, height);
    const std::size_t rowBytes = RowBytes(width);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t colour = pixels[static_cast<std::size_t>(y) * width + x];
            auto& palette = picture.m_palette;
            auto found = std::find(palette.begin(), palette.end(), colour);
            if (found == palette.end()) {
                if (palette.size() == kMaxColours) return std::nullopt;
                found = palette.insert(palette.end(), colour);
            }
            const auto index = static_cast<std::uint8_t>(found - palette.begin());
            picture.m_rows[y * rowBytes + x / 2] |= x % 2 ? index : index << 4;
        }
    }
    return picture;
}

std::vector<std::uint32_t> PackedPicture::Unpack() const {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(m_nWidth) * m_nHeight);
    const std::size_t rowBytes = RowBytes(m_nWidth);
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x) {
            const std::uint8_t pair = m_rows[y * rowBytes + x / 2];
            pixels[static_cast<std::size_t>(y) * m_nWidth + x] = m_palette[x % 2 ? pair & 0x0F : pair >> 4];
        }
    }
    return pixels;
}
