#include "menu/MenuColor.h"

uint32_t MixWithWhite(uint32_t color, double factor) {
    if (!(factor > 0 && factor <= 1)) return color;
    uint32_t mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t c = (color >> shift) & 0xFF;
        mixed |= static_cast<uint32_t>(c + (255 - c) * factor) << shift;
    }
    return mixed;
}
