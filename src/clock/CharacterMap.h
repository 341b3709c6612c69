#pragma once
// Which glyph shows which character.
#include <memory>
#include <string>
#include <vector>

#include "clock/CSegmentGlyph.h"

using GlyphList = std::vector<std::unique_ptr<CSegmentGlyph>>;

// A new glyph for the character, lower-case letters as upper-case ones; null
// for a character the display cannot show, which then takes no room.
std::unique_ptr<CSegmentGlyph> CreateGlyph(wchar_t ch);

// The glyphs of a text in text order, without the characters it cannot show.
GlyphList BuildGlyphList(const std::wstring& text);
