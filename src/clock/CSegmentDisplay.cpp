#include "clock/CSegmentDisplay.h"

#include "framework/COffscreenDC.h"
#include "framework/GdiObjects.h"

BEGIN_MESSAGE_MAP(CSegmentDisplay, CWnd)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_MESSAGE(WM_SIZE, OnSize)
END_MESSAGE_MAP()

namespace {
std::wstring WindowText(HWND hWnd) {
    std::wstring text(GetWindowTextLengthW(hWnd) + 1, L'\0');
    text.resize(GetWindowTextW(hWnd, text.data(), static_cast<int>(text.size())));
    return text;
}

RECT ToRect(const PixelRect& pixels) {
    return {pixels.left, pixels.top, pixels.right, pixels.bottom};
}

struct SegmentInks {
    HPEN pen;
    HBRUSH brush;
};

void DrawGlyph(HDC dc, const CSegmentGlyph& glyph, const GlyphCell& cell, const SegmentInks& off,
               const SegmentInks& on) {
    std::vector<POINT> points;
    for (int i = 0; i < glyph.SegmentCount(); ++i) {
        const SegmentInks& ink = glyph.IsLit(i) ? on : off;
        SelectObject(dc, ink.pen);
        SelectObject(dc, ink.brush);
        const SegmentOutline& outline = glyph.Outlines()[i];
        points.clear();
        for (const SegmentPoint& point : outline) {
            const SegmentPoint p = MapToCell(cell, glyph.Width(), point);
            points.push_back({p.x, p.y});
        }
        BeginPath(dc);
        MoveToEx(dc, points[0].x, points[0].y, nullptr);
        PolylineTo(dc, points.data() + 1, static_cast<DWORD>(points.size() - 1));
        EndPath(dc);
        // Closes the outline, strokes it with the pen and fills it with the brush.
        StrokeAndFillPath(dc);
    }
}
}  // namespace

void CSegmentDisplay::SetText(const std::wstring& text) {
    if (text == m_strText) return;
    GlyphList glyphs = BuildGlyphList(text);
    // A clock changes one or two digits at a time: repainting just those is
    // most of the saving while it runs.
    const auto changed = m_bModified || text == L"?" ? std::nullopt : ChangedGlyphs(m_glyphs, glyphs);
    m_strText = text;
    if (!changed) {
        m_bModified = true;
        Redraw();
        return;
    }
    m_glyphs = std::move(glyphs);
    InvalidateGlyphs(*changed);
}

void CSegmentDisplay::SetColours(COLORREF crOff, COLORREF crOn) {
    if (crOff == m_crOff && crOn == m_crOn) return;
    m_crOff = crOff;
    m_crOn = crOn;
    Redraw();
}

void CSegmentDisplay::SetStyle(DWORD style) {
    if (style == m_dwStyle) return;
    m_dwStyle = style;
    Redraw();
}

void CSegmentDisplay::Redraw() {
    // A null window would invalidate every window of the desktop.
    if (m_hWnd) InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CSegmentDisplay::InvalidateGlyphs(const std::vector<std::size_t>& positions) {
    if (!m_hWnd) return;
    RECT client;
    GetClientRect(m_hWnd, &client);
    const std::vector<GlyphCell> cells = LayoutGlyphs(client);
    for (std::size_t i : positions) {
        const RECT rc = ToRect(CellPixels(cells[i]));
        InvalidateRect(m_hWnd, &rc, TRUE);
    }
}

std::vector<GlyphCell> CSegmentDisplay::LayoutGlyphs(const RECT& client) const {
    std::vector<int> widths;
    for (const auto& glyph : m_glyphs) widths.push_back(glyph->Width());
    return LayoutCells(widths, client.right - client.left, client.bottom - client.top, m_dwStyle);
}

void CSegmentDisplay::BuildGlyphs() {
    if (!m_bModified) return;
    if (m_strText == L"?") m_strText = WindowText(m_hWnd);
    m_glyphs = BuildGlyphList(m_strText);
    m_bModified = false;
}

void CSegmentDisplay::OnPaint() {
    CPaintDC paint(m_hWnd);
    RECT client;
    GetClientRect(m_hWnd, &client);
    COffscreenDC offscreen(paint, paint.PaintRect());
    Draw(offscreen, client, paint.PaintRect());
}

LRESULT CSegmentDisplay::OnEraseBkgnd(WPARAM, LPARAM) {
    // Painting covers every pixel; erasing first would only flicker.
    return 0;
}

LRESULT CSegmentDisplay::OnPrintClient(WPARAM dc, LPARAM) {
    RECT client;
    GetClientRect(m_hWnd, &client);
    Draw(reinterpret_cast<HDC>(dc), client, client);
    return 0;
}

void CSegmentDisplay::OnSize() {
    // The glyphs are laid out anew for the new size, everywhere.
    Redraw();
}

void CSegmentDisplay::Draw(HDC dc, const RECT& client, const RECT& area) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, m_crBackground);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);

    const bool soft = m_dwStyle & SDS_SOFTEDGE;
    const GdiObject<HBRUSH> offBrush(CreateSolidBrush(m_crOff));
    const GdiObject<HBRUSH> onBrush(CreateSolidBrush(m_crOn));
    const GdiObject<HPEN> offPen(
        CreatePen(PS_SOLID, 1, soft ? SoftEdgeColour(m_crOff, m_crBackground) : m_crOff));
    const GdiObject<HPEN> onPen(
        CreatePen(PS_SOLID, 1, soft ? SoftEdgeColour(m_crOn, m_crBackground) : m_crOn));
    // Put back whatever the context held before, so the inks can be deleted.
    const CSelectedObject keepPen(dc, offPen.get());
    const CSelectedObject keepBrush(dc, offBrush.get());

    BuildGlyphs();
    const std::vector<GlyphCell> cells = LayoutGlyphs(client);
    for (std::size_t i = 0; i < m_glyphs.size(); ++i) {
        const RECT cell = ToRect(CellPixels(cells[i]));
        RECT overlap;
        if (!IntersectRect(&overlap, &cell, &area)) continue;
        DrawGlyph(dc, *m_glyphs[i], cells[i], {offPen.get(), offBrush.get()},
                  {onPen.get(), onBrush.get()});
    }
}
