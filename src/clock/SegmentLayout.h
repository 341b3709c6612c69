#pragma once
// Where the glyphs of a segment display go and in which colours: the part of
// painting that needs no device context.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "clock/CharacterMap.h"

// Drawing style flags of CSegmentDisplay.
enum : std::uint32_t {
    // One scale for both axes, the smaller one, and the text centred.
    SDS_KEEPASPECT = 4,
    // Segment outlines a quarter of the way towards the background colour.
    SDS_SOFTEDGE = 16,
};

// Colours as 0x00BBGGRR, red in the low byte.
using SegmentColour = std::uint32_t;

// A glyph's place in device units; edges are real numbers so that the
// rounding of one cell does not shift the next.
struct GlyphCell {
    double left;
    double top;
    double right;
    double bottom;
};

// The cells of glyphs of the given widths in a client area of the given
// size, left to right.
std::vector<GlyphCell> LayoutCells(const std::vector<int>& glyphWidths, int clientWidth,
                                   int clientHeight, std::uint32_t style);

// The device point of a glyph-unit point of a glyph drawn in the cell.
SegmentPoint MapToCell(const GlyphCell& cell, int glyphWidth, SegmentPoint point);

// Whole pixels, right and bottom exclusive.
struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
};

// Every pixel that drawing the glyph into the cell can touch, one-pixel
// outline pen included. Much less than the cell: glyphs keep a margin, so
// the inks of neighbours do not meet unless a unit is under a pixel or so.
PixelRect InkPixels(const CSegmentGlyph& glyph, const GlyphCell& cell);

// The positions whose glyphs look different after a change of text, when
// both texts take the same cells; nothing when the cells differ.
std::optional<std::vector<std::size_t>> ChangedGlyphs(const GlyphList& before, const GlyphList& after);

SegmentColour SoftEdgeColour(SegmentColour segment, SegmentColour background);
