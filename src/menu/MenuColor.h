#pragma once
// Colours as 32-bit RGB values, red in the low byte.
#include <cstdint>

// Moves each channel toward white by `factor` (0 < factor <= 1); any other
// factor leaves the colour as it is.
uint32_t MixWithWhite(uint32_t color, double factor);
