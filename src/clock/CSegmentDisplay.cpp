#include "clock/CSegmentDisplay.h"

#include <algorithm>
#include <cstring>
#include <typeinfo>

#include "clock/CSegmentInks.h"
#include "framework/COffscreenDC.h"
#include "framework/ScopedHandles.h"
#include "framework/WindowText.h"

BEGIN_MESSAGE_MAP(CSegmentDisplay, CWnd)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgnd)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_MESSAGE(WM_SIZE, OnSize)
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_ENABLE, OnStaticLook)
    ON_MESSAGE(STM_SETICON, OnStaticLook)
    ON_MESSAGE(STM_SETIMAGE, OnStaticLook)
END_MESSAGE_MAP()

namespace {
RECT ToRect(const PixelRect& pixels) {
    return {pixels.left, pixels.top, pixels.right, pixels.bottom};
}

void Copy(HDC target, const RECT& area, HDC source) {
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, source, area.left,
           area.top, SRCCOPY);
}

// Pixels of `bits` each, in rows from the top down.
BITMAPINFOHEADER TopDownHeader(int width, int height, WORD bits) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biCompression = BI_RGB;
    return header;
}

// Copies the part `area` of a picture whose top-left corner is at `origin`.
void Copy(HDC target, const RECT& area, const POINT& origin, const PackedPicture& picture) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[16];
    } info = {};
    info.header = TopDownHeader(picture.Width(), picture.Height(), 4);
    info.header.biClrUsed = static_cast<DWORD>(picture.Palette().size());
    // The palette holds colours as 32-bit pixels have them, which is how
    // a colour table has them too.
    std::memcpy(info.colours, picture.Palette().data(), picture.Palette().size() * sizeof(RGBQUAD));
    const int width = area.right - area.left, height = area.bottom - area.top;
    StretchDIBits(target, area.left, area.top, width, height, area.left - origin.x, area.top - origin.y, width,
                  height, picture.Rows().data(), reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS,
                  SRCCOPY);
}

// Copies the part `area` of a picture of 32-bit pixels `width` wide whose
// top-left corner is at `origin`.
void Copy(HDC target, const RECT& area, const POINT& origin, const std::vector<std::uint32_t>& pixels, int width) {
    BITMAPINFO info = {};
    info.bmiHeader = TopDownHeader(width, static_cast<int>(pixels.size() / width), 32);
    const int w = area.right - area.left, h = area.bottom - area.top;
    StretchDIBits(target, area.left, area.top, w, h, area.left - origin.x, area.top - origin.y, w, h, pixels.data(),
                  &info, DIB_RGB_COLORS, SRCCOPY);
}

// A place that changed with this many texts in a row keeps its glyphs unpacked.
constexpr unsigned kBusyPlaceChanges = 10;

// A bitmap that is selected nowhere, packed; nothing if the system cannot
// give its pixels or they have too many colours.
std::optional<PackedPicture> PackBitmap(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader = TopDownHeader(width, height, 32);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    if (GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) != height) return std::nullopt;
    return PackedPicture::Pack(pixels, width, height);
}
}  // namespace

void CSegmentDisplay::SetText(const std::wstring& text) {
    if (text == m_strText) return;
    GlyphList glyphs = BuildGlyphList(text);
    // A clock changes one or two digits at a time: copying just those is
    // most of the saving while it runs.
    const auto changed = m_bModified || text == L"?" ? std::nullopt : ChangedGlyphs(m_glyphs, glyphs);
    m_strText = text;
    if (changed && ShowChanges(glyphs, *changed)) {
        m_glyphs = std::move(glyphs);
        return;
    }
    m_bModified = true;
    Redraw();
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
    m_bComposed = false;
    // A null window would invalidate every window of the desktop.
    if (m_hWnd) InvalidateRect(m_hWnd, nullptr, TRUE);
}

std::vector<GlyphCell> CSegmentDisplay::LayoutGlyphs(const RECT& client) const {
    std::vector<int> widths;
    for (const auto& glyph : m_glyphs) widths.push_back(glyph->Width());
    return LayoutCells(widths, client.right - client.left, client.bottom - client.top, m_dwStyle);
}

void CSegmentDisplay::BuildGlyphs() {
    if (!m_bModified) return;
    if (m_strText == L"?") m_strText = ReadWindowText(m_hWnd);
    m_glyphs = BuildGlyphList(m_strText);
    m_bModified = false;
}

void CSegmentDisplay::OnPaint() {
    CPaintDC paint(m_hWnd);
    if (!m_bComposed) Compose(paint);
    if (m_frame) {
        CatchUp();
        Copy(paint, paint.PaintRect(), *m_frame);
        return;
    }
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

void CSegmentDisplay::OnSysColorChange() {
    // The static control would paint its own face over the display here.
    // The display's colours are its own, but a screen whose colours change
    // may have lost what it showed: all of it is drawn anew.
    Redraw();
}

LRESULT CSegmentDisplay::OnSetText(WPARAM wParam, LPARAM lParam) {
    // The system keeps the text; the static control would also paint it
    // straight onto the screen.
    const LRESULT result = ::DefWindowProcW(m_hWnd, WM_SETTEXT, wParam, lParam);
    if (m_strText == L"?") Redraw();
    return result;
}

void CSegmentDisplay::OnStaticLook() {
    // Enabling and images change nothing the display shows, and the static
    // control would paint its own face straight onto the screen for them.
}

void CSegmentDisplay::FillBackground(HDC dc, const RECT& area) const {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, m_crBackground);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

void CSegmentDisplay::Draw(HDC dc, const RECT& client, const RECT& area) {
    FillBackground(dc, area);
    CSegmentInks inks(dc, m_crOff, m_crOn, m_crBackground, m_dwStyle);
    BuildGlyphs();
    const std::vector<GlyphCell> cells = LayoutGlyphs(client);
    for (std::size_t i = 0; i < m_glyphs.size(); ++i) {
        const RECT ink = ToRect(InkPixels(*m_glyphs[i], cells[i]));
        RECT overlap;
        if (IntersectRect(&overlap, &ink, &area)) inks.DrawGlyph(*m_glyphs[i], cells[i]);
    }
}

void CSegmentDisplay::Compose(HDC compatible) {
    RECT client;
    GetClientRect(m_hWnd, &client);
    // Anew each time: the size, or the screen's format, may have changed.
    m_frame = CMemoryDC::Create(compatible, client.right, client.bottom);
    BuildGlyphs();
    const std::vector<GlyphCell> cells = LayoutGlyphs(client);
    m_places.clear();
    m_bPlacesApart = true;
    for (std::size_t i = 0; i < m_glyphs.size(); ++i) {
        GlyphPlace place{cells[i], ToRect(InkPixels(*m_glyphs[i], cells[i])), {}, {}, 0, {}, {}};
        IntersectRect(&place.shown, &place.ink, &client);
        if (i > 0 && m_places.back().ink.right > place.ink.left) m_bPlacesApart = false;
        m_places.push_back(std::move(place));
    }
    if (m_frame) Draw(*m_frame, client, client);
    m_bComposed = true;
}

bool CSegmentDisplay::ShowChanges(const GlyphList& glyphs, const std::vector<std::size_t>& positions) {
    // A glyph's pixels replace what was at its place only when nothing
    // else draws there, and only another glyph of the same class covers
    // the same pixels.
    if (!m_bComposed || !m_frame || !m_bPlacesApart) return false;
    for (std::size_t i : positions) {
        if (typeid(*glyphs[i]) != typeid(*m_glyphs[i])) return false;
    }
    for (std::size_t i = 0; i < m_places.size(); ++i) {
        const bool changes = std::find(positions.begin(), positions.end(), i) != positions.end();
        m_places[i].changesInARow = changes ? m_places[i].changesInARow + 1 : 0;
    }
    for (std::size_t i : positions) {
        if (!DrawnGlyph(m_places[i], *glyphs[i])) return false;
    }
    // Onto the screen only: the kept picture catches up when it is next
    // shown, which saves copying each change twice.
    const WindowDC screen(m_hWnd);
    for (std::size_t i : positions) {
        GlyphPlace& place = m_places[i];
        place.behind = glyphs[i]->Mask();
        CopyGlyph(screen, place, *place.behind);
    }
    return true;
}

void CSegmentDisplay::CatchUp() {
    for (GlyphPlace& place : m_places) {
        if (!place.behind) continue;
        CopyGlyph(*m_frame, place, *place.behind);
        place.behind.reset();
    }
}

void CSegmentDisplay::CopyGlyph(HDC target, GlyphPlace& place, std::uint16_t mask) {
    const POINT origin = {place.ink.left, place.ink.top};
    const PackedPicture& drawn = place.drawn.at(mask);
    if (place.changesInARow < kBusyPlaceChanges) {
        Copy(target, place.shown, origin, drawn);
        return;
    }
    auto unpacked = place.unpacked.find(mask);
    if (unpacked == place.unpacked.end()) unpacked = place.unpacked.emplace(mask, drawn.Unpack()).first;
    Copy(target, place.shown, origin, unpacked->second, drawn.Width());
}

const PackedPicture* CSegmentDisplay::DrawnGlyph(GlyphPlace& place, const CSegmentGlyph& glyph) {
    const auto kept = place.drawn.find(glyph.Mask());
    if (kept != place.drawn.end()) return &kept->second;
    const RECT& ink = place.ink;
    const int width = ink.right - ink.left, height = ink.bottom - ink.top;
    // Drawn in the picture's own format, so its pixels are the picture's.
    MemoryDC dc(CreateCompatibleDC(*m_frame));
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(*m_frame, width, height));
    if (!dc || !bitmap) return nullptr;
    {
        const CSelectedObject selected(dc.get(), bitmap.get());
        // In the control's own coordinates, so the glyph's points land
        // where they do in the picture.
        SetWindowOrgEx(dc.get(), ink.left, ink.top, nullptr);
        FillBackground(dc.get(), ink);
        CSegmentInks(dc.get(), m_crOff, m_crOn, m_crBackground, m_dwStyle).DrawGlyph(glyph, place.cell);
    }
    // The bitmap is read once it is no longer selected.
    std::optional<PackedPicture> packed = PackBitmap(dc.get(), bitmap.get(), width, height);
    if (!packed) return nullptr;
    return &place.drawn.emplace(glyph.Mask(), std::move(*packed)).first->second;
}
