// Measuring and painting the items of a TaviMenu in its two looks.
#include <algorithm>
#include <optional>

#include "framework/Dpi.h"
#include "menu/CMenuBuffer.h"
#include "menu/MenuColor.h"
#include "menu/MenuMetrics.h"
#include "menu/MenuPlatform.h"
#include "menu/TaviMenu.h"

namespace {

const MenuItemRecord& RecordOf(ULONG_PTR itemData) {
    return *reinterpret_cast<const MenuItemRecord*>(itemData);
}

int MeasureTextWidth(const std::wstring& text, int platform, UINT dpi) {
    const WindowDC dc(MeasuringWindow());
    // Measured in the font the item is drawn in. Every platform but Win32s
    // has that font, also the NT versions whose code is below Windows 95's.
    if (platform != kPlatformWin32s) {
        const GdiObject<HFONT> font = CreateMenuFont(dpi);
        const CSelectedObject selected(dc, font.get());
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    RECT layout{};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &layout, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    return EstimateMenuTextWidth(layout.right - layout.left, text.size());
}

// An item's text split for drawing: the label before the first tab and the
// accelerator after the last, right-aligned `imageWidth` short of the item's
// right edge.
class ItemText {
public:
    ItemText(const std::wstring& text, const RECT& rc, int imageWidth)
        : m_label(text), m_rc{rc.left, rc.top - 1, rc.right, rc.bottom - 1} {
        const size_t tab = text.find(L'\t');
        if (tab == std::wstring::npos) return;
        m_label = text.substr(0, tab);
        m_accelerator = text.substr(text.rfind(L'\t') + 1);
        m_rc.right -= imageWidth;
    }

    void Draw(HDC dc, int offset, COLORREF color) const {
        RECT rc = m_rc;
        OffsetRect(&rc, offset, offset);
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColor = SetTextColor(dc, color);
        const UINT format = DT_SINGLELINE | DT_VCENTER;
        DrawTextW(dc, m_label.c_str(), static_cast<int>(m_label.size()), &rc, format | DT_LEFT);
        if (!m_accelerator.empty())
            DrawTextW(dc, m_accelerator.c_str(), static_cast<int>(m_accelerator.size()), &rc, format | DT_RIGHT);
        SetTextColor(dc, oldColor);
        SetBkMode(dc, oldMode);
    }

private:
    std::wstring m_label;
    std::wstring m_accelerator;
    RECT m_rc;
};

// A custom checked-state bitmap on the item asks for the radio dot.
bool HasCheckedBitmap(const DRAWITEMSTRUCT& draw) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_CHECKMARKS;
    return GetMenuItemInfoW(reinterpret_cast<HMENU>(draw.hwndItem), draw.itemID, FALSE, &info) &&
           info.hbmpChecked;
}

void DrawImage(HDC dc, int image, int x, int y) {
    ImageList_Draw(TaviMenu::s_imageList.get(), image, dc, x, y, ILD_TRANSPARENT);
}

}  // namespace

void TaviMenu::MeasureItem(MEASUREITEMSTRUCT* measure) {
    const MenuItemRecord& record = RecordOf(measure->itemData);
    const bool xpStyle = IsXPStyleActive();
    const MenuItemMetrics metrics = Metrics(xpStyle && s_bXPImageEffects);
    const int menuBar = SystemMetricForDpi(SM_CYMENU, m_nDpi);
    const MenuItemSize size =
        record.m_nFlags & MF_SEPARATOR
            ? MeasureMenuSeparator(menuBar, metrics)
            : MeasureMenuText(MeasureTextWidth(record.m_pszText, s_nPlatform, m_nDpi), metrics, xpStyle, menuBar);
    measure->itemWidth = static_cast<UINT>(size.width);
    measure->itemHeight = static_cast<UINT>(size.height);
}

MenuItemMetrics TaviMenu::Metrics(bool imageEffects) const {
    return MenuItemMetrics(m_nImageWidth, m_nImageHeight, MenuIconGap(imageEffects), m_nDpi);
}

void TaviMenu::DrawItem(DRAWITEMSTRUCT* draw) {
    // A palette display cannot show the pale XP tints.
    const bool palette = GetDeviceCaps(draw->hDC, RASTERCAPS) & RC_PALETTE;
    if (!palette && IsXPStyleActive())
        DrawXPItem(*draw);
    else
        DrawClassicItem(*draw);
}

void TaviMenu::DrawClassicItem(const DRAWITEMSTRUCT& draw) {
    const MenuItemRecord& record = RecordOf(draw.itemData);
    const HDC dc = draw.hDC;
    RECT rc = draw.rcItem;
    const COLORREF bg = GetSysColor(IsXPThemed() ? COLOR_3DFACE : COLOR_MENU);
    const MenuItemMetrics metrics = Metrics(false);
    const int cellWidth = metrics.imageWidth, cellHeight = metrics.imageHeight;
    // The text is drawn in the font it was measured with.
    const GdiObject<HFONT> font = CreateMenuFont(m_nDpi);
    const CSelectedObject fontSelected(dc, font.get());
    UINT state = draw.itemState;
    if ((state & ODS_GRAYED) && !s_bClassicSelectDisabled) state &= ~ODS_SELECTED;

    if (record.m_nFlags & MF_SEPARATOR) {
        FillSolid(dc, rc, bg);
        rc.top += (rc.bottom - rc.top) / 2;
        DrawEdge(dc, &rc, EDGE_ETCHED, BF_TOP);
        return;
    }

    const bool selected = state & ODS_SELECTED;
    const bool grayed = state & ODS_GRAYED;
    const bool checked = state & ODS_CHECKED;
    const bool hasIcon = record.m_nImage >= 0;
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);

    COLORREF textColor = GetSysColor(COLOR_MENUTEXT);
    if (selected) {
        RECT area = rc;
        if (hasIcon || checked) area.left += cellWidth + metrics.Scaled(5);
        FillSolid(dc, area, GetSysColor(COLOR_HIGHLIGHT));
        textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else {
        FillSolid(dc, rc, bg);
        FrameSolid(dc, rc, bg);
    }

    const int border = metrics.Scaled(4);
    const int dy = std::max(0, static_cast<int>(rc.bottom - rc.top - cellHeight - border) / 2);
    const RECT outer{rc.left, rc.top + dy, rc.left + cellWidth + border, rc.top + dy + cellHeight + border};
    const RECT inner{outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1};
    // The image keeps its own size, in the middle of the cell.
    const POINT origin{outer.left + (outer.right - outer.left - m_nImageWidth) / 2,
                       outer.top + (outer.bottom - outer.top - m_nImageHeight) / 2};
    // Platforms before Windows 95 have no 3-D cells.
    const bool cells3d = s_nPlatform >= kPlatformWindows95;

    if (hasIcon) {
        FrameSolid(dc, inner, bg);
        if (grayed) {
            FrameSolid(dc, outer, bg);
            DrawDisabledIcon(dc, record.m_nImage, origin, bg);
        } else if (selected) {
            FillSolid(dc, inner, bg);
            if (cells3d) {
                if (checked)
                    Draw3dFrame(dc, outer, shadow, light);
                else
                    Draw3dFrame(dc, outer, light, shadow);
            }
            DrawImage(dc, record.m_nImage, origin.x, origin.y);
        } else {
            if (checked) {
                FillSolid(dc, inner, MixWithWhite(bg, 0.6));
                if (cells3d) Draw3dFrame(dc, outer, shadow, light);
            } else {
                FillSolid(dc, inner, bg);
                FrameSolid(dc, outer, bg);
            }
            DrawImage(dc, record.m_nImage, origin.x, origin.y);
        }
    } else if (checked) {
        const int x = rc.left + metrics.Scaled(1), y = rc.top + dy + metrics.Scaled(2);
        const RECT box{x, y, x + cellWidth, y + cellHeight};
        DrawClassicCheck(dc, box, selected, HasCheckedBitmap(draw));
    }

    rc.left += cellWidth + metrics.Scaled(9);
    if (record.m_pszText.empty()) return;
    const ItemText text(record.m_pszText, rc, cellWidth);
    if (!grayed) {
        text.Draw(dc, 0, textColor);
    } else if (selected) {
        text.Draw(dc, 0, bg);
    } else {
        text.Draw(dc, 1, light);
        text.Draw(dc, 0, GetSysColor(COLOR_GRAYTEXT));
    }
}

void TaviMenu::DrawXPItem(const DRAWITEMSTRUCT& draw) {
    const MenuItemRecord& record = RecordOf(draw.itemData);
    const bool themed = IsXPThemed();
    const COLORREF face = themed ? GetSysColor(COLOR_BTNFACE) : MixWithWhite(GetSysColor(COLOR_BTNFACE), 0.25);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF hl = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF tint = MixWithWhite(hl, themed ? 0.7 : 0.85);
    const MenuItemMetrics metrics = Metrics(s_bXPImageEffects);
    const int gap = metrics.gap;
    const int column = metrics.imageWidth + gap;
    RECT rc = draw.rcItem;
    UINT state = draw.itemState;

    // A grayed item is painted off screen in one piece.
    std::optional<CMenuBuffer> buffer;
    if ((state & ODS_GRAYED) && !s_bXPSelectDisabled) {
        state &= ~ODS_SELECTED;
        buffer.emplace(draw.hDC, rc);
    }
    const HDC dc = buffer ? buffer->GetDC() : draw.hDC;
    // The text is drawn in the font it was measured with.
    const GdiObject<HFONT> font = CreateMenuFont(m_nDpi);
    const CSelectedObject fontSelected(dc, font.get());
    const RECT columnRect{rc.left, rc.top, rc.left + column, rc.bottom};

    if (record.m_nFlags & MF_SEPARATOR) {
        FillSolid(dc, rc, window);
        RECT line{columnRect.right + gap, rc.top + (rc.bottom - rc.top) / 2, rc.right, rc.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        FillSolid(dc, columnRect, face);
        FrameSolid(dc, columnRect, face);
        return;
    }

    const bool selected = state & ODS_SELECTED;
    const bool grayed = state & ODS_GRAYED;
    const bool checked = state & ODS_CHECKED;
    const int image = record.m_nImage;
    const bool variants = s_bXPImageEffects && HasImageVariants(image);

    if (selected) {
        FillSolid(dc, rc, tint);
        FrameSolid(dc, rc, hl);
    } else {
        FillSolid(dc, rc, window);
        FillSolid(dc, columnRect, face);
        FrameSolid(dc, rc, window);
        FrameSolid(dc, columnRect, face);
    }

    const int height = static_cast<int>(rc.bottom - rc.top);
    const int dx = std::max(0, static_cast<int>((column - m_nImageWidth + 1) * 0.5));
    const int dy = std::max(0, static_cast<int>((height - m_nImageHeight + 1) * 0.5));
    const POINT origin{rc.left + dx, rc.top + dy};
    const RECT cell{rc.left + 1, rc.top + 1, rc.left + column - 1, rc.bottom - 1};

    if (image >= 0) {
        if (grayed) {
            DrawDisabledIcon(dc, image, origin, selected ? tint : face);
            if (selected) FrameSolid(dc, rc, hl);
        } else if (selected) {
            // The icon under the pointer rises: up and left, over its shadow.
            FillSolid(dc, cell, tint);
            if (checked) {
                FrameSolid(dc, cell, hl);
                DrawImage(dc, image, origin.x - 1, origin.y - 1);
            } else if (variants) {
                DrawImage(dc, image + 2, origin.x + 1, origin.y + 1);
                DrawImage(dc, image, origin.x - 1, origin.y - 1);
            } else {
                DrawImage(dc, image, origin.x, origin.y);
            }
        } else if (checked) {
            FillSolid(dc, cell, MixWithWhite(hl, 0.85));
            FrameSolid(dc, cell, hl);
            DrawImage(dc, image, origin.x - 1, origin.y - 1);
        } else {
            FillSolid(dc, cell, face);
            FrameSolid(dc, cell, face);
            DrawImage(dc, variants ? image + 1 : image, origin.x, origin.y);
        }
    } else if (checked) {
        const int x = rc.left + std::max(0, static_cast<int>((column - 15) * 0.5));
        const int y = rc.top + std::max(0, static_cast<int>((height - 15) * 0.5));
        DrawXPCheck(dc, {x, y, x + 16, y + 16}, HasCheckedBitmap(draw), hl);
    }

    rc.left += column + metrics.Scaled(8);
    if (record.m_pszText.empty()) return;
    COLORREF textColor = GetSysColor(COLOR_MENUTEXT);
    if (grayed) {
        textColor = GetSysColor(COLOR_GRAYTEXT);
        if (!themed && !selected) textColor = MixWithWhite(textColor, 0.4);
    }
    ItemText(record.m_pszText, rc, metrics.imageWidth).Draw(dc, 0, textColor);
}

void TaviMenu::DrawDisabledIcon(HDC dc, int image, POINT origin, COLORREF background) const {
    const GdiObject<HBITMAP> bitmap(RenderImageToBitmap(dc, s_imageList.get(), image));
    DrawDisabledImage(dc, origin.x, origin.y, m_nImageWidth, m_nImageHeight, bitmap.get(), background);
}

void TaviMenu::DrawClassicCheck(HDC dc, const RECT& box, bool selected, bool dot) {
    COLORREF color = GetSysColor(IsXPThemed() ? COLOR_3DFACE : COLOR_MENU);
    if (!selected) color = MixWithWhite(color, 0.6);
    FillSolid(dc, box, color);
    if (s_nPlatform >= kPlatformWindows95) {
        RECT edge = box;
        DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    }
    if (dot)
        DrawRadioDot(dc, box.left + 5, box.top + 4, GetSysColor(COLOR_MENUTEXT));
    else
        DrawCheckMark(dc, box.left + 4, box.top + 4, GetSysColor(COLOR_MENUTEXT));
}

void TaviMenu::DrawXPCheck(HDC dc, const RECT& box, bool dot, COLORREF color) {
    FillSolid(dc, box, MixWithWhite(color, 0.85));
    FrameSolid(dc, box, color);
    if (dot)
        DrawRadioDot(dc, box.left + 5, box.top + 4, GetSysColor(COLOR_MENUTEXT));
    else
        DrawCheckMark(dc, box.left + 5, box.top + 4, GetSysColor(COLOR_MENUTEXT));
}

void TaviMenu::DrawCheckMark(HDC dc, int x, int y, COLORREF color) {
    // Seven strokes of three pixels: down two rows, then up four.
    static const int kRows[] = {2, 3, 4, 3, 2, 1, 0};
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, color));
    const CSelectedObject selected(dc, pen.get());
    for (int k = 0; k < 7; ++k) {
        MoveToEx(dc, x + k, y + kRows[k], nullptr);
        LineTo(dc, x + k, y + kRows[k] + 3);
    }
}

void TaviMenu::DrawRadioDot(HDC dc, int x, int y, COLORREF color) {
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, color));
    const GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    const CSelectedObject penSelected(dc, pen.get());
    const CSelectedObject brushSelected(dc, brush.get());
    Ellipse(dc, x, y, x + 6, y + 6);
}

void TaviMenu::DrawDisabledImage(HDC dc, int x, int y, int width, int height, HBITMAP bitmap,
                                 COLORREF background) {
    // Mask: white where the image shows the face or highlight colour, black
    // on its drawing. The drawing is then stamped in the highlight colour one
    // pixel down and right, and in the shadow colour on top: embossed.
    constexpr DWORD kBrushWhereMaskBlack = 0x00E20746;
    const MemoryDC maskDC(CreateCompatibleDC(dc));
    const GdiObject<HBITMAP> mask(CreateBitmap(width, height, 1, 1, nullptr));
    const CSelectedObject maskSelected(maskDC.get(), mask.get());
    PatBlt(maskDC.get(), 0, 0, width, height, WHITENESS);

    const MemoryDC source(CreateCompatibleDC(dc));
    const CSelectedObject bitmapSelected(source.get(), bitmap);
    SetBkColor(source.get(), GetSysColor(COLOR_BTNFACE));
    BitBlt(maskDC.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
    SetBkColor(source.get(), GetSysColor(COLOR_BTNHIGHLIGHT));
    BitBlt(maskDC.get(), 0, 0, width, height, source.get(), 0, 0, SRCPAINT);

    FillSolid(source.get(), {0, 0, width, height}, background);
    SetBkColor(source.get(), RGB(0, 0, 0));
    SetTextColor(source.get(), RGB(255, 255, 255));
    {
        const GdiObject<HBRUSH> light(CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT)));
        const CSelectedObject brushSelected(source.get(), light.get());
        BitBlt(source.get(), 0, 0, width, height, maskDC.get(), 0, 0, kBrushWhereMaskBlack);
        BitBlt(dc, x + 1, y + 1, width, height, source.get(), 0, 0, SRCCOPY);
        BitBlt(source.get(), 1, 1, width, height, maskDC.get(), 0, 0, kBrushWhereMaskBlack);
    }
    const GdiObject<HBRUSH> dark(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
    const CSelectedObject brushSelected(source.get(), dark.get());
    BitBlt(source.get(), 0, 0, width, height, maskDC.get(), 0, 0, kBrushWhereMaskBlack);
    BitBlt(dc, x, y, width, height, source.get(), 0, 0, SRCCOPY);
}

int TaviMenu::GetPlatformCode() {
    PlatformVersion version;
    version.versionWord = GetVersion();
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    version.detailsKnown = GetVersionExW(&info);
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    return ClassifyPlatform(version);
}

BOOL TaviMenu::IsClassicTheme() {
    static const BOOL classic = [] {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Plus!\\Themes\\Current", 0, KEY_READ, &key) !=
            ERROR_SUCCESS)
            return FALSE;
        wchar_t path[MAX_PATH];
        DWORD type = 0;
        DWORD size = sizeof path;
        const LONG status = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return FALSE;
        // The stored text may or may not end in its NUL.
        std::u16string text(path, path + size / sizeof(wchar_t));
        while (!text.empty() && text.back() == u'\0') text.pop_back();
        return IsClassicThemePath(text) ? TRUE : FALSE;
    }();
    return classic;
}

BOOL TaviMenu::IsXPThemed() {
    return s_nPlatform == kPlatformWindowsXP && !IsClassicTheme();
}

BOOL TaviMenu::IsXPStyleActive() {
    return (IsXPThemed() ? s_nStyleThemed : s_nStyleUnthemed) == kMenuStyleXP;
}
