#include "clock/SegmentLayout.h"

#include <algorithm>
#include <climits>
#include <numeric>
#include <typeinfo>

std::vector<GlyphCell> LayoutCells(const std::vector<int>& glyphWidths, int clientWidth,
                                   int clientHeight, std::uint32_t style) {
    std::vector<GlyphCell> cells;
    const int totalWidth = std::accumulate(glyphWidths.begin(), glyphWidths.end(), 0);
    if (totalWidth == 0) return cells;

    double sx = static_cast<double>(clientWidth) / totalWidth;
    double sy = static_cast<double>(clientHeight) / kGlyphHeight;
    double x = 0;
    double y = 0;
    if (style & SDS_KEEPASPECT) {
        sx = sy = std::min(sx, sy);
        x = (clientWidth - totalWidth * sx) / 2;
        y = (clientHeight - kGlyphHeight * sy) / 2;
    }
    for (int width : glyphWidths) {
        cells.push_back({x, y, x + width * sx, y + kGlyphHeight * sy});
        x += width * sx;
    }
    return cells;
}

SegmentPoint MapToCell(const GlyphCell& cell, int glyphWidth, SegmentPoint point) {
    const double x = cell.left + point.x * (cell.right - cell.left) / glyphWidth + 0.5;
    const double y = cell.top + point.y * (cell.bottom - cell.top) / kGlyphHeight + 0.5;
    return {static_cast<int>(x), static_cast<int>(y)};
}

PixelRect InkPixels(const CSegmentGlyph& glyph, const GlyphCell& cell) {
    PixelRect ink = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const SegmentOutline& outline : glyph.Outlines()) {
        for (const SegmentPoint& unit : outline) {
            const SegmentPoint p = MapToCell(cell, glyph.Width(), unit);
            ink = {std::min(ink.left, p.x), std::min(ink.top, p.y), std::max(ink.right, p.x),
                   std::max(ink.bottom, p.y)};
        }
    }
    // The pen covers the pixel at a point, right and bottom exclusive; one
    // more pixel each way keeps clear of how a line's ends are rounded.
    return {ink.left - 1, ink.top - 1, ink.right + 2, ink.bottom + 2};
}

std::optional<std::vector<std::size_t>> ChangedGlyphs(const GlyphList& before, const GlyphList& after) {
    if (before.size() != after.size()) return std::nullopt;
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < before.size(); ++i) {
        const CSegmentGlyph& old = *before[i];
        const CSegmentGlyph& now = *after[i];
        if (old.Width() != now.Width()) return std::nullopt;
        if (typeid(old) != typeid(now) || old.Mask() != now.Mask()) changed.push_back(i);
    }
    return changed;
}

SegmentColour SoftEdgeColour(SegmentColour segment, SegmentColour background) {
    SegmentColour blend = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const SegmentColour s = (segment >> shift) & 0xFF;
        const SegmentColour b = (background >> shift) & 0xFF;
        blend |= ((3 * s + b) / 4) << shift;
    }
    return blend;
}
