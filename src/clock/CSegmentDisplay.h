#pragma once
// A static control that draws its text as LED-style segment glyphs, lit
// segments over the dim pattern of all segments, scaled to the control.
// Everything here belongs to the window's thread.
//
// The picture is kept off screen between paints, and so is every glyph
// drawn at each place, packed to its few colours: a change of text that
// leaves the places as they are copies the changed glyphs' pixels into the
// picture and onto the screen at once, and a paint copies the picture.
// Either way the screen shows what drawing the whole control anew would.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "clock/CharacterMap.h"
#include "clock/PackedPicture.h"
#include "clock/SegmentLayout.h"
#include "framework/CMemoryDC.h"
#include "framework/CWnd.h"

class CSegmentDisplay : public CWnd {
public:
    // The exact text "?" stands for the window's own text.
    void SetText(const std::wstring& text);
    const std::wstring& GetText() const { return m_strText; }
    void SetColours(COLORREF crOff, COLORREF crOn);
    // SDS_ flags.
    void SetStyle(DWORD style);
    // Draws the whole control anew the next time the window's thread paints.
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
    // Where a glyph of the kept picture sits, and each glyph drawn there.
    struct GlyphPlace {
        GlyphCell cell;
        RECT ink;    // every pixel a glyph drawn here can touch
        RECT shown;  // the part of it inside the control
        std::map<std::uint16_t, PackedPicture> drawn;  // by lit mask
        // A place whose glyph changes with every text (a clock's last
        // digit) also keeps its glyphs unpacked: turning four bits back
        // into the screen's format at every change would cost more than
        // the rest of showing it.
        unsigned changesInARow = 0;
        std::map<std::uint16_t, std::vector<std::uint32_t>> unpacked;  // by lit mask
        // The lit mask of a glyph already on the screen here, which the
        // kept picture does not show yet.
        std::optional<std::uint16_t> behind;
    };

    void OnPaint();
    LRESULT OnEraseBkgnd(WPARAM, LPARAM);
    LRESULT OnPrintClient(WPARAM dc, LPARAM);
    void OnSize();
    void OnSysColorChange();
    LRESULT OnSetText(WPARAM, LPARAM);
    void OnStaticLook();

    std::vector<GlyphCell> LayoutGlyphs(const RECT& client) const;
    void FillBackground(HDC dc, const RECT& area) const;
    // Draws the part `area` of the client area, segment by segment.
    void Draw(HDC dc, const RECT& client, const RECT& area);
    // Draws the kept picture anew and forgets the glyphs kept for it.
    void Compose(HDC compatible);
    // Puts the glyphs at `positions` of the new list into the picture and
    // onto the screen; false when the picture must be composed anew.
    bool ShowChanges(const GlyphList& glyphs, const std::vector<std::size_t>& positions);
    // Brings the kept picture up to what the screen shows.
    void CatchUp();
    // Copies the glyph drawn at the place with the lit `mask` onto `target`.
    static void CopyGlyph(HDC target, GlyphPlace& place, std::uint16_t mask);
    // The glyph as drawn at the place; null when it could not be drawn.
    const PackedPicture* DrawnGlyph(GlyphPlace& place, const CSegmentGlyph& glyph);

    std::unique_ptr<CMemoryDC> m_frame;  // the client area; null if none could be had
    bool m_bComposed = false;            // m_frame and m_places show the control as it is
    std::vector<GlyphPlace> m_places;    // one per glyph
    bool m_bPlacesApart = false;         // no two places' inks meet
};
