#include "menu/ToolbarResource.h"

#include <algorithm>

namespace {

uint32_t Read16(const uint8_t* p) {
    return static_cast<uint32_t>(p[0] | p[1] << 8);
}

uint32_t Read32(const uint8_t* p) {
    return Read16(p) | Read16(p + 2) << 16;
}

}  // namespace

bool ParseToolbarResource(const uint8_t* data, size_t size, ToolbarResource& toolbar) {
    if (size < 8) return false;
    const size_t count = Read16(data + 6);
    if ((size - 8) / 2 < count) return false;
    toolbar.imageWidth = static_cast<int>(Read16(data + 2));
    toolbar.imageHeight = static_cast<int>(Read16(data + 4));
    toolbar.commands.clear();
    for (size_t i = 0; i < count; ++i)
        toolbar.commands.push_back(static_cast<uint16_t>(Read16(data + 8 + 2 * i)));
    return true;
}

int ToolbarImageIndex(const std::vector<uint16_t>& commands, size_t button) {
    const auto first = std::find(commands.begin(), commands.end(), commands[button]);
    const auto image = std::count_if(commands.begin(), first, [](uint16_t id) { return id != 0; });
    return static_cast<int>(image > 0 ? image : first - commands.begin());
}

int BitmapColorCount(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const uint32_t headerSize = Read32(data);
    uint32_t bits = 0;
    if (headerSize == 12 && size >= 12) {
        bits = Read16(data + 10);
    } else if (headerSize >= 40 && size >= 40) {
        if (const uint32_t used = Read32(data + 32)) return static_cast<int>(used);
        bits = Read16(data + 14);
    }
    switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}
