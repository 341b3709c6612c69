// What the segment display puts on screen, read back pixel by pixel. The
// expected places come from the glyphs' shape (points well inside each
// segment) and from plain arithmetic on the control's size.
#include <gtest/gtest.h>

#include <map>

#include "SegmentTestWindows.h"
#include "clock/CSegmentDisplay.h"
#include "framework/ScopedHandles.h"

namespace {

const COLORREF kBackground = RGB(0, 0, 0);
const COLORREF kUnlit = RGB(0, 52, 0);
const COLORREF kLit = RGB(0, 255, 0);

// Points well inside each segment, in glyph units: seven-segment digits
// (top, upper left, upper right, middle, lower left, lower right, bottom)
// and the colon-and-point glyph (upper dot, lower dot, point).
const POINT kDigitCentres[] = {{24, 7}, {7, 24}, {41, 24}, {24, 41}, {7, 58}, {41, 58}, {24, 75}};
const POINT kDotCentres[] = {{8, 27}, {8, 54}, {8, 72}};

// Which of those segments a viewer expects lit.
const std::map<wchar_t, const char*> kShapes = {
    {L'1', "..#..#."}, {L'2', "#.###.#"}, {L'3', "#.##.##"}, {L'4', ".###.#."},
    {L'5', "##.#.##"}, {L'8', "#######"}, {L':', "##."},     {L'.', "..#"},
};

// Where glyph unit (0, 0) of the text lands, and pixels per unit.
struct Placement {
    double left;
    double top;
    double scaleX;
    double scaleY;
};

COLORREF At(const TestSurface& surface, const Placement& at, double unitX, double unitY) {
    return surface.Pixel(static_cast<int>(at.left + unitX * at.scaleX),
                         static_cast<int>(at.top + unitY * at.scaleY));
}

// Checks every segment of the text's glyphs; `text` holds digits, ':' and '.'.
void ExpectGlyphs(const TestSurface& surface, const Placement& at, const std::wstring& text,
                  COLORREF lit, COLORREF unlit) {
    double unit = 0;
    for (wchar_t ch : text) {
        const bool narrow = ch == L':' || ch == L'.';
        const POINT* centres = narrow ? kDotCentres : kDigitCentres;
        const char* shape = kShapes.at(ch);
        for (int i = 0; shape[i]; ++i) {
            EXPECT_EQ(At(surface, at, unit + centres[i].x, centres[i].y), shape[i] == '#' ? lit : unlit)
                << "segment " << i << " of '" << char(ch) << "'";
        }
        unit += narrow ? 18 : 49;
    }
}

// The columns holding anything but the background.
std::pair<int, int> InkColumns(const TestSurface& surface, COLORREF background) {
    int first = surface.Width();
    int last = -1;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (surface.Pixel(x, y) == background) continue;
            first = std::min(first, x);
            last = std::max(last, x);
        }
    }
    return {first, last};
}

std::set<COLORREF> Colours(const TestSurface& surface) {
    std::set<COLORREF> colours;
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) colours.insert(surface.Pixel(x, y));
    return colours;
}

// What the window shows on screen once it has painted.
void ReadScreen(HWND hWnd, TestSurface& surface) {
    UpdateWindow(hWnd);
    BitBlt(surface.DC(), 0, 0, surface.Width(), surface.Height(), WindowDC(hWnd), 0, 0, SRCCOPY);
}

class SegmentDisplay : public ::testing::Test {
protected:
    // 281 units of "12:34.5" by 83 fit 2 px per unit into 662 x 166, with
    // 50 px to spare on each side.
    static constexpr int kWidth = 662;
    static constexpr int kHeight = 166;

    void SetUp() override { ASSERT_TRUE(m_display.SubclassDlgItem(kClockControlId, m_host.Parent())); }

    TestHost m_host{kWidth, kHeight};
    CSegmentDisplay m_display;
    TestSurface m_surface{kWidth, kHeight};
};

}  // namespace

TEST_F(SegmentDisplay, ClockTextLightsTheRightSegmentsCentred) {
    m_display.SetText(L"12:34.5");
    m_surface.Print(m_display.m_hWnd);

    const Placement at = {50, 0, 2, 2};
    ExpectGlyphs(m_surface, at, L"12:34.5", kLit, kUnlit);
    // Between glyphs, above and below them, and in the side margins.
    EXPECT_EQ(At(m_surface, at, 47, 41), kBackground);
    EXPECT_EQ(At(m_surface, at, 24, 1), kBackground);
    EXPECT_EQ(At(m_surface, at, 24, 81), kBackground);
    EXPECT_EQ(m_surface.Pixel(10, 80), kBackground);
    EXPECT_EQ(m_surface.Pixel(kWidth - 10, 80), kBackground);

    // The ink sits in the middle: glyphs keep 4 units on their left and 5
    // on their right, so the margins differ by at most those 2 px and a pen width.
    const auto [first, last] = InkColumns(m_surface, kBackground);
    const int leftMargin = first;
    const int rightMargin = kWidth - 1 - last;
    EXPECT_GT(leftMargin, 40);
    EXPECT_LE(std::abs(leftMargin - rightMargin), 3) << leftMargin << " " << rightMargin;
}

TEST_F(SegmentDisplay, OneLightsOnlyTheRightSegments) {
    m_display.SetText(L"1");
    m_surface.Print(m_display.m_hWnd);
    // 49 units at 2 px in the middle of 662.
    ExpectGlyphs(m_surface, {(kWidth - 98) / 2.0, 0, 2, 2}, L"1", kLit, kUnlit);
}

TEST_F(SegmentDisplay, EmptyTextPaintsOnlyTheBackground) {
    m_display.SetText(L"");
    m_surface.Print(m_display.m_hWnd);
    EXPECT_EQ(Colours(m_surface), std::set<COLORREF>{kBackground});
}

TEST_F(SegmentDisplay, CharactersWithoutGlyphsTakeNoRoom) {
    m_display.SetText(L"1;2,");
    m_surface.Print(m_display.m_hWnd);
    TestSurface closedUp(kWidth, kHeight);
    m_display.SetText(L"12");
    closedUp.Print(m_display.m_hWnd);
    EXPECT_TRUE(m_surface.SamePixels(closedUp));

    // Lower case shows as upper case.
    m_display.SetText(L"quilmar");
    m_surface.Print(m_display.m_hWnd);
    m_display.SetText(L"QUILMAR");
    closedUp.Print(m_display.m_hWnd);
    EXPECT_TRUE(m_surface.SamePixels(closedUp));
}

TEST_F(SegmentDisplay, QuestionMarkStandsForTheWindowText) {
    SetWindowTextW(m_display.m_hWnd, L"12:34.5");
    m_surface.Print(m_display.m_hWnd);  // the text is still the initial "?"
    ExpectGlyphs(m_surface, {50, 0, 2, 2}, L"12:34.5", kLit, kUnlit);
    EXPECT_EQ(m_display.GetText(), L"12:34.5");
}

TEST_F(SegmentDisplay, ColoursAndStyleTakeEffectAtTheNextPaint) {
    m_display.SetText(L"12:34.5");
    m_surface.Print(m_display.m_hWnd);
    // Soft edges: segment outlines blend a quarter of the black background in.
    const std::set<COLORREF> soft = Colours(m_surface);
    EXPECT_TRUE(soft.count(RGB(0, 191, 0)) && soft.count(RGB(0, 39, 0)));

    // The lock's mode 2 colours: white on black, unlit segments invisible.
    m_display.SetColours(RGB(0, 0, 0), RGB(255, 255, 255));
    m_surface.Print(m_display.m_hWnd);
    ExpectGlyphs(m_surface, {50, 0, 2, 2}, L"12:34.5", RGB(255, 255, 255), kBackground);

    // Stretched to fill both ways, with hard edges: only the three colours.
    m_display.SetColours(kUnlit, kLit);
    m_display.SetStyle(0);
    m_surface.Print(m_display.m_hWnd);
    ExpectGlyphs(m_surface, {0, 0, kWidth / 281.0, 2}, L"12:34.5", kLit, kUnlit);
    EXPECT_EQ(Colours(m_surface), (std::set<COLORREF>{kBackground, kUnlit, kLit}));
}

TEST_F(SegmentDisplay, ScreenShowsWhatPrintingShowsAndTheContextIsLeftAsFound) {
    m_display.SetText(L"12:34.5");
    TestSurface screen(kWidth, kHeight);
    ReadScreen(m_display.m_hWnd, screen);

    const HGDIOBJ pen = GetCurrentObject(m_surface.DC(), OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(m_surface.DC(), OBJ_BRUSH);
    m_surface.Print(m_display.m_hWnd);
    EXPECT_TRUE(screen.SamePixels(m_surface));
    EXPECT_EQ(GetCurrentObject(m_surface.DC(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(m_surface.DC(), OBJ_BRUSH), brush);
}

TEST_F(SegmentDisplay, OnlyAChangeAsksForARepaint) {
    m_display.SetText(L"12:34.5");
    ValidateRect(m_display.m_hWnd, nullptr);
    m_display.SetText(L"12:34.5");
    EXPECT_FALSE(GetUpdateRect(m_display.m_hWnd, nullptr, FALSE));
    m_display.SetColours(RGB(0, 52, 0), RGB(0, 255, 0));
    EXPECT_FALSE(GetUpdateRect(m_display.m_hWnd, nullptr, FALSE));
    m_display.SetText(L"12:34.6");
    EXPECT_TRUE(GetUpdateRect(m_display.m_hWnd, nullptr, FALSE));
}

// The clock through its changes, every frame on screen compared with a
// whole repaint of the same text: ticks copying digits into place, a part
// exposed, a new layout at the first hour and at the wrap, new colours,
// and the messages on which a static control paints its own face. At a
// size of whole pixels per glyph unit and at one of fractions.
TEST_F(SegmentDisplay, EveryFrameOfTheClockLooksLikeAWholeRepaint) {
    const HWND display = m_display.m_hWnd;
    for (const SIZE size : {SIZE{kWidth, kHeight}, SIZE{601, 157}}) {
        SCOPED_TRACE(size.cx);
        SetWindowPos(display, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        m_display.SetColours(kUnlit, kLit);
        TestSurface screen(size.cx, size.cy);
        TestSurface whole(size.cx, size.cy);
        const auto expectWhole = [&](const char* step) {
            ReadScreen(display, screen);
            whole.Print(display);
            EXPECT_TRUE(screen.SamePixels(whole)) << step;
        };
        // Within one layout a tick is on the screen at once.
        const auto tick = [&](const wchar_t* text) {
            m_display.SetText(text);
            EXPECT_FALSE(GetUpdateRect(display, nullptr, FALSE)) << std::string(text, text + wcslen(text));
            expectWhole("tick");
        };

        m_display.SetText(L"09:59.8");
        expectWhole("first paint");
        // Scribbled over the first three glyphs, which the next tick leaves
        // alone; painting that part again shows them as they were.
        const RECT left = {0, 0, size.cx / 3, size.cy};
        FillRect(WindowDC(display), &left, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        m_display.SetText(L"09:59.9");
        ReadScreen(display, screen);
        EXPECT_EQ(screen.Pixel(2, 2), RGB(255, 255, 255)) << "only the changed digit is copied";
        InvalidateRect(display, &left, FALSE);
        expectWhole("exposed part");

        tick(L"10:00.0");
        tick(L"59:59.9");
        // Ticks go straight onto the screen; the picture a repaint copies
        // has caught up with them.
        InvalidateRect(display, nullptr, FALSE);
        expectWhole("exposed after ticks");
        m_display.SetText(L"01:00:00.0");
        expectWhole("first hour");
        tick(L"01:00:00.1");
        tick(L"23:59:59.9");
        m_display.SetText(L"00:00.0");
        expectWhole("a day");
        tick(L"00:00.1");
        tick(L"00:00.2");
        // Glyphs kept from before are of no use in the new colours.
        m_display.SetColours(RGB(0, 0, 0), RGB(255, 255, 0));
        expectWhole("new colours");
        tick(L"00:00.1");

        // The lock window hands new system colours on to its controls.
        SendMessageW(m_host.Parent()->m_hWnd, WM_SYSCOLORCHANGE, 0, 0);
        expectWhole("system colours");
        SetWindowTextW(display, L"time");
        expectWhole("window text");
        EnableWindow(display, FALSE);
        expectWhole("disabled");
        EnableWindow(display, TRUE);
        tick(L"00:00.2");
    }
}
