#pragma once
// Toolbar resources (16-bit words: version, image width, image height, button
// count, then one command id per button, 0 for a separator) and the bitmap
// strip that holds one image per non-separator button.
#include <cstddef>
#include <cstdint>
#include <vector>

struct ToolbarResource {
    int imageWidth = 0;
    int imageHeight = 0;
    std::vector<uint16_t> commands;
};

// False when the resource is shorter than its button count says.
bool ParseToolbarResource(const uint8_t* data, size_t size, ToolbarResource& toolbar);

// The strip image used for `button`. The buttons that are not separators
// have image numbers 0, 1, 2, ... in order; a command's first button gives
// its image number, except that image number 0 falls back to that button's
// position on the toolbar, which differs when separators come first.
int ToolbarImageIndex(const std::vector<uint16_t>& commands, size_t button);

// The colour count of a bitmap resource's header: its used-colours field when
// set, else 2, 16 or 256 for 1, 4 or 8 bits per pixel, else 0.
int BitmapColorCount(const uint8_t* data, size_t size);
