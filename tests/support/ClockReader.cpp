#include "ClockReader.h"

#include <cstdlib>
#include <vector>

#include "Drive.h"
#include "clock/CharacterMap.h"
#include "clock/SegmentLayout.h"

namespace {

bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) < 40 && std::abs(GetGValue(a) - GetGValue(b)) < 40 &&
           std::abs(GetBValue(a) - GetBValue(b)) < 40;
}

// The digit whose seven-segment mask the lit segments make, or -1.
int DigitOf(unsigned mask) {
    for (wchar_t digit = L'0'; digit <= L'9'; ++digit)
        if (CreateGlyph(digit)->Mask() == mask) return digit - L'0';
    return -1;
}

}  // namespace

int ReadClockTenths(HWND clock, COLORREF lit) {
    RECT client;
    GetClientRect(clock, &client);
    POINT origin = {0, 0};
    ClientToScreen(clock, &origin);
    // Only the part of the clock on the screen is looked at.
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT area = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    if (!IntersectRect(&area, &area, &screen)) return -1;
    const std::vector<COLORREF> pixels = CaptureScreen(area);
    const int width = area.right - area.left;

    // The layout of any time of this form: five digits, a colon and a point.
    const GlyphList glyphs = BuildGlyphList(L"00:00.0");
    std::vector<int> widths;
    for (const auto& glyph : glyphs) widths.push_back(glyph->Width());
    const std::vector<GlyphCell> cells =
        LayoutCells(widths, client.right, client.bottom, SDS_KEEPASPECT | SDS_SOFTEDGE);

    std::vector<int> digits;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        if (glyphs[i]->SegmentCount() != 7) continue;
        unsigned mask = 0;
        for (int segment = 0; segment < 7; ++segment) {
            // The middle of a segment: the mean of its outline's points.
            SegmentPoint centre = {0, 0};
            const SegmentOutline& outline = glyphs[i]->Outlines()[segment];
            for (const SegmentPoint& p : outline) {
                centre.x += p.x;
                centre.y += p.y;
            }
            centre.x /= static_cast<int>(outline.size());
            centre.y /= static_cast<int>(outline.size());
            const SegmentPoint at = MapToCell(cells[i], glyphs[i]->Width(), centre);
            const int x = origin.x + at.x - area.left, y = origin.y + at.y - area.top;
            if (x < 0 || y < 0 || x >= width || y >= area.bottom - area.top) return -1;
            const COLORREF colour = pixels[static_cast<size_t>(y) * width + x];
            if (Near(colour, lit)) mask |= 1u << segment;
            else if (!Near(colour, RGB(0, 0, 0))) return -1;
        }
        digits.push_back(DigitOf(mask));
        if (digits.back() < 0) return -1;
    }
    const int minutes = digits[0] * 10 + digits[1], seconds = digits[2] * 10 + digits[3];
    return (minutes * 60 + seconds) * 10 + digits[4];
}

bool BlackOutsideClock(HWND clock) {
    RECT around;
    GetWindowRect(clock, &around);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const std::vector<COLORREF> pixels = CaptureScreen({0, 0, width, height});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const POINT p = {x, y};
            if (!PtInRect(&around, p) && pixels[static_cast<size_t>(y) * width + x] != RGB(0, 0, 0))
                return false;
        }
    return true;
}
