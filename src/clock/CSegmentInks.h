#pragma once
// The pens and brushes of one paint of segment glyphs, selected into the
// context while they live; what it held before is put back and the inks
// are deleted when the paint is over.
#include <vector>

#include "clock/SegmentLayout.h"
#include "framework/ScopedHandles.h"

class CSegmentInks {
public:
    // Colours of the unlit and lit segments and of the background behind
    // them, and the display's SDS_ style.
    CSegmentInks(HDC dc, COLORREF crOff, COLORREF crOn, COLORREF crBackground, DWORD style);

    void DrawGlyph(const CSegmentGlyph& glyph, const GlyphCell& cell);

private:
    HDC m_hDC;
    GdiObject<HBRUSH> m_offBrush;
    GdiObject<HBRUSH> m_onBrush;
    GdiObject<HPEN> m_offPen;
    GdiObject<HPEN> m_onPen;
    CSelectedObject m_keepPen;
    CSelectedObject m_keepBrush;
    std::vector<POINT> m_points;
};
