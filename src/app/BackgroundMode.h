#pragma once
// What each background mode does to the lock window.
#include <cstdint>

struct BackgroundStyle {
    std::uint8_t alpha;  // constant alpha of the lock window
    bool whiteDigits;  // white clock segments instead of yellow
};

// Unknown modes keep the veil the window starts with. The practically
// invisible mode uses alpha 1: at 0 the window would let clicks through.
BackgroundStyle BackgroundStyleFor(int mode);

// The alpha of the lock window before the settings are accepted.
constexpr std::uint8_t kStartAlpha = 180;
