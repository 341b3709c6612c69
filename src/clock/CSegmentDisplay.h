#pragma once
// A static control that draws its text as LED-style segment glyphs, lit
// segments over the dim pattern of all segments, scaled to the control.
// Everything here belongs to the window's thread.
#include <string>

#include "clock/CharacterMap.h"
#include "clock/SegmentLayout.h"
#include "framework/CWnd.h"

class CSegmentDisplay : public CWnd {
public:
    // The exact text "?" stands for the window's own text. When only some
    // glyphs change, only their cells are repainted.
    void SetText(const std::wstring& text);
    const std::wstring& GetText() const { return m_strText; }
    void SetColours(COLORREF crOff, COLORREF crOn);
    // SDS_ flags.
    void SetStyle(DWORD style);
    // Repaints the whole control the next time the window's thread paints.
    void Redraw();

protected:
    void BuildGlyphs();

    std::wstring m_strText = L"?";
    bool m_bModified = true;  // the glyphs no longer show m_strText
    GlyphList m_glyphs;
    COLORREF m_crOff = RGB(0, 52, 0);
    COLORREF m_crOn = RGB(0, 255, 0);
    COLORREF m_crBackground = RGB(0, 0, 0);
    DWORD m_dwStyle = SDS_KEEPASPECT | SDS_SOFTEDGE;

    DECLARE_MESSAGE_MAP()

private:
    void OnPaint();
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    LRESULT OnPrintClient(WPARAM dc, LPARAM);
    void OnSize();

    std::vector<GlyphCell> LayoutGlyphs(const RECT& client) const;
    void InvalidateGlyphs(const std::vector<std::size_t>& positions);
    // Paints the part `area` of the client area.
    void Draw(HDC dc, const RECT& client, const RECT& area);
};
