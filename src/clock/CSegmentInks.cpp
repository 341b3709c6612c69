#include "clock/CSegmentInks.h"

namespace {
GdiObject<HPEN> OutlinePen(COLORREF segment, COLORREF background, DWORD style) {
    return GdiObject<HPEN>(
        CreatePen(PS_SOLID, 1, style & SDS_SOFTEDGE ? SoftEdgeColour(segment, background) : segment));
}
}  // namespace

CSegmentInks::CSegmentInks(HDC dc, COLORREF crOff, COLORREF crOn, COLORREF crBackground, DWORD style)
    : m_hDC(dc),
      m_offBrush(CreateSolidBrush(crOff)),
      m_onBrush(CreateSolidBrush(crOn)),
      m_offPen(OutlinePen(crOff, crBackground, style)),
      m_onPen(OutlinePen(crOn, crBackground, style)),
      m_keepPen(dc, m_offPen.get()),
      m_keepBrush(dc, m_offBrush.get()) {}

void CSegmentInks::DrawGlyph(const CSegmentGlyph& glyph, const GlyphCell& cell) {
    for (int i = 0; i < glyph.SegmentCount(); ++i) {
        const bool lit = glyph.IsLit(i);
        SelectObject(m_hDC, lit ? m_onPen.get() : m_offPen.get());
        SelectObject(m_hDC, lit ? m_onBrush.get() : m_offBrush.get());
        m_points.clear();
        for (const SegmentPoint& point : glyph.Outlines()[i]) {
            const SegmentPoint p = MapToCell(cell, glyph.Width(), point);
            m_points.push_back({p.x, p.y});
        }
        BeginPath(m_hDC);
        MoveToEx(m_hDC, m_points[0].x, m_points[0].y, nullptr);
        PolylineTo(m_hDC, m_points.data() + 1, static_cast<DWORD>(m_points.size() - 1));
        EndPath(m_hDC);
        // Closes the outline, strokes it with the pen and fills it with the brush.
        StrokeAndFillPath(m_hDC);
    }
}
