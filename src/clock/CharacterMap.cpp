#include "clock/CharacterMap.h"

#include <cstdint>

#include "clock/CColonDotGlyph.h"
#include "clock/CFourteenSegmentGlyph.h"
#include "clock/CSevenSegmentGlyph.h"

namespace {
struct GlyphEntry {
    wchar_t ch;
    std::uint16_t mask;
};

const GlyphEntry kSevenSegment[] = {
    {L' ', 0x00}, {L'0', 0x77}, {L'1', 0x24}, {L'2', 0x5D}, {L'3', 0x6D}, {L'4', 0x2E},
    {L'5', 0x6B}, {L'6', 0x7B}, {L'7', 0x25}, {L'8', 0x7F}, {L'9', 0x6F}, {L'-', 0x08},
};

const GlyphEntry kFourteenSegment[] = {
    {L'A', 0x3BC0}, {L'B', 0x3CA1}, {L'C', 0x2700}, {L'D', 0x3C21}, {L'E', 0x27C0},
    {L'F', 0x23C0}, {L'G', 0x2F80}, {L'H', 0x1BC0}, {L'I', 0x2421}, {L'J', 0x1E00},
    {L'K', 0x0354}, {L'L', 0x0700}, {L'M', 0x1B06}, {L'N', 0x1B12}, {L'O', 0x3F00},
    {L'P', 0x33C0}, {L'Q', 0x3F10}, {L'R', 0x33D0}, {L'S', 0x2DC0}, {L'T', 0x2021},
    {L'U', 0x1F00}, {L'V', 0x030C}, {L'W', 0x1B18}, {L'X', 0x001E}, {L'Y', 0x11E0},
    {L'Z', 0x240C}, {L'*', 0x00FF}, {L'+', 0x00E1}, {L'(', 0x0014}, {L')', 0x000A},
    {L'\\', 0x0012}, {L'/', 0x000C}, {L'\'', 0x0001},
};

const GlyphEntry kColonDot[] = {{L'.', 0x04}, {L':', 0x03}};

template <class Glyph, std::size_t N>
std::unique_ptr<CSegmentGlyph> FromTable(const GlyphEntry (&table)[N], wchar_t ch) {
    for (const GlyphEntry& entry : table) {
        if (entry.ch != ch) continue;
        auto glyph = std::make_unique<Glyph>();
        glyph->SetSegments(entry.mask);
        return glyph;
    }
    return nullptr;
}
}  // namespace

std::unique_ptr<CSegmentGlyph> CreateGlyph(wchar_t ch) {
    // Every character the display knows is ASCII, so ASCII case folding is
    // all the upper-casing it needs.
    if (ch >= L'a' && ch <= L'z') ch = static_cast<wchar_t>(ch - L'a' + L'A');
    if (auto glyph = FromTable<CSevenSegmentGlyph>(kSevenSegment, ch)) return glyph;
    if (auto glyph = FromTable<CFourteenSegmentGlyph>(kFourteenSegment, ch)) return glyph;
    return FromTable<CColonDotGlyph>(kColonDot, ch);
}

GlyphList BuildGlyphList(const std::wstring& text) {
    GlyphList glyphs;
    for (wchar_t ch : text) {
        if (auto glyph = CreateGlyph(ch)) glyphs.push_back(std::move(glyph));
    }
    return glyphs;
}
