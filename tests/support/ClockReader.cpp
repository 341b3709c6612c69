#include "ClockReader.h"

#include <cstdlib>
#include <cwchar>
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

double TextSeconds(const std::wstring& text) {
    double seconds = 0;
    std::size_t start = 0;
    for (std::size_t colon; (colon = text.find(L':', start)) != std::wstring::npos; start = colon + 1)
        seconds = 60 * (seconds + std::wcstod(text.c_str() + start, nullptr));
    return seconds + std::wcstod(text.c_str() + start, nullptr);
}

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

ShownAboveClock ReadAboveClock(HWND clock, COLORREF lit) {
    RECT rc;
    GetWindowRect(clock, &rc);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    ShownAboveClock shown;
    if (rc.top <= 0) return shown;
    const std::vector<COLORREF> pixels = CaptureScreen({0, 0, width, rc.top});
    for (int y = 0; y < rc.top; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF colour = pixels[static_cast<size_t>(y) * width + x];
            if (colour == RGB(0, 0, 0)) continue;
            const RECT pixel = {x, y, x + 1, y + 1};
            UnionRect(&shown.box, &shown.box, &pixel);
            if (Near(colour, lit)) ++shown.lit;
        }
    return shown;
}

std::ostream& operator<<(std::ostream& out, const ShownAboveClock& shown) {
    return out << shown.lit << " lit pixels in (" << shown.box.left << ", " << shown.box.top << ", "
               << shown.box.right << ", " << shown.box.bottom << ")";
}

bool IsMessageOnClock(HWND clock, const ShownAboveClock& shown) {
    RECT rc;
    GetWindowRect(clock, &rc);
    const int cy = GetSystemMetrics(SM_CYSCREEN);
    const LONG height = shown.box.bottom - shown.box.top;
    return shown.lit >= 20 && shown.box.bottom >= rc.top - cy / 16 && height >= cy / 48 && height <= cy / 12 &&
           std::abs((shown.box.left + shown.box.right) - (rc.left + rc.right)) <= 16;
}

bool BlackOutsideClock(HWND clock, const RECT& alsoShown) {
    RECT around;
    GetWindowRect(clock, &around);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const std::vector<COLORREF> pixels = CaptureScreen({0, 0, width, height});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const POINT p = {x, y};
            if (!PtInRect(&around, p) && !PtInRect(&alsoShown, p) &&
                pixels[static_cast<size_t>(y) * width + x] != RGB(0, 0, 0))
                return false;
        }
    return true;
}
