#pragma once
// Reading the standard menu template: a header of two 16-bit words (version,
// offset of the item list from the header's end), then items, each a flags
// word, a command word unless the item opens a pop-up, and a NUL-terminated
// UTF-16 text. A flagged end mark closes the item's level.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr uint16_t kMenuTemplatePopup = 0x0010;
constexpr uint16_t kMenuTemplateEnd = 0x0080;

// One item in template order. The items after a pop-up item, up to the one
// whose levelsClosed ends that pop-up's level, are its contents.
struct MenuTemplateItem {
    uint16_t flags = 0;    // as in the template, without the end mark
    uint16_t command = 0;  // 0 for pop-ups and separators
    std::u16string text;
    int levelsClosed = 0;  // menus complete after this item; 0 for pop-ups
};

// Reads a template of `size` bytes into `items`. A template that runs out
// before its outermost level is closed, has an unterminated text, or is not
// a version 0 template is refused: false, and `items` is left empty. Bytes
// after the outermost level are ignored; nothing past `size` is read.
bool ParseMenuTemplate(const uint8_t* data, size_t size, std::vector<MenuTemplateItem>& items);
