#pragma once
// One character of a segment display: a set of polygon segments in glyph
// units (x to the right, y downwards, 83 units high) and the mask of the
// lit ones. Pure geometry; drawing belongs to CSegmentDisplay.
#include <cstdint>
#include <vector>

struct SegmentPoint {
    int x;
    int y;
    bool operator==(const SegmentPoint& other) const { return x == other.x && y == other.y; }
};

// A closed polygon; the last point joins the first.
using SegmentOutline = std::vector<SegmentPoint>;
using SegmentOutlines = std::vector<SegmentOutline>;

constexpr int kGlyphHeight = 83;

class CSegmentGlyph {
public:
    virtual ~CSegmentGlyph() = default;

    // Bit i set lights segment i.
    void SetSegments(std::uint16_t mask) { m_nMask = mask; }
    std::uint16_t Mask() const { return m_nMask; }
    bool IsLit(int segment) const { return (m_nMask >> segment) & 1; }

    int Width() const { return m_nWidth; }
    int SegmentCount() const { return static_cast<int>(m_outlines.size()); }
    // One outline per segment, in segment order.
    const SegmentOutlines& Outlines() const { return m_outlines; }

protected:
    // The outline table is shared by every glyph of a class and outlives them.
    CSegmentGlyph(int width, const SegmentOutlines& outlines) : m_nWidth(width), m_outlines(outlines) {}

    // The glyph tables store only one of each group of symmetric segments and
    // derive the others by mirroring across the glyph's centre lines.
    static SegmentOutline MirrorX(const SegmentOutline& outline, int width);
    static SegmentOutline MirrorY(const SegmentOutline& outline);
    static SegmentOutline MirrorXY(const SegmentOutline& outline, int width);

private:
    int m_nWidth;
    const SegmentOutlines& m_outlines;
    std::uint16_t m_nMask = 0;
};
