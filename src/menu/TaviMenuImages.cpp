// Menu icons: the process-wide image list fed from toolbar resources, and
// the faded and shadow variants of each icon for the XP look.
#include <algorithm>

#include "menu/MenuColor.h"
#include "menu/TaviMenu.h"
#include "menu/ToolbarResource.h"

ImageList TaviMenu::s_imageList;
std::vector<UINT_PTR> TaviMenu::s_imageCommands;

namespace {

constexpr UINT kImageListFlags = ILC_COLORDDB | ILC_MASK;
// Toolbar resources have no predefined type; resource compilers number them so.
const LPCWSTR kToolbarResourceType = MAKEINTRESOURCEW(241);

struct ResourceBytes {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

ResourceBytes FindResourceBytes(UINT id, LPCWSTR type) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    const HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    if (!loaded) return {};
    return {static_cast<const uint8_t*>(LockResource(loaded)), SizeofResource(module, resource)};
}

// Replaces, in place, every pixel of `bitmap` that is not the button face
// with recolour(pixel).
template <class Recolour>
void RecolourNonFacePixels(HBITMAP bitmap, Recolour recolour) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    const MemoryDC dc(CreateCompatibleDC(nullptr));
    const CSelectedObject selected(dc.get(), bitmap);

    // The face colour as this bitmap's format holds it.
    COLORREF face;
    {
        const MemoryDC probeDC(CreateCompatibleDC(dc.get()));
        const GdiObject<HBITMAP> probe(CreateCompatibleBitmap(dc.get(), 1, 1));
        const CSelectedObject probeSelected(probeDC.get(), probe.get());
        SetPixel(probeDC.get(), 0, 0, GetSysColor(COLOR_BTNFACE));
        face = GetPixel(probeDC.get(), 0, 0);
    }
    for (int x = 0; x < info.bmWidth; ++x) {
        for (int y = 0; y < info.bmHeight; ++y) {
            const COLORREF pixel = GetPixel(dc.get(), x, y);
            if (pixel != face) SetPixel(dc.get(), x, y, recolour(pixel));
        }
    }
}

// Adds a bitmap of the cell size to `list` as one image whose button-face
// pixels are transparent.
int AddFaceMasked(HIMAGELIST list, HBITMAP bitmap) {
    return ImageList_AddMasked(list, bitmap, GetSysColor(COLOR_BTNFACE));
}

}  // namespace

void TaviMenu::SetImageSize(int width, int height) {
    m_nImageWidth = width;
    m_nImageHeight = height;
}

void TaviMenu::SetImageMask(COLORREF color) {
    m_crImageMask = color;
    m_bImageMaskSet = TRUE;
}

BOOL TaviMenu::AddToolbarImages(UINT id) {
    const ResourceBytes resource = FindResourceBytes(id, kToolbarResourceType);
    ToolbarResource toolbar;
    if (!resource.data || !ParseToolbarResource(resource.data, resource.size, toolbar)) return FALSE;
    if (!FindResourceBytes(id, RT_BITMAP).data) return FALSE;

    m_nImageWidth = std::max(m_nImageWidth, toolbar.imageWidth);
    m_nImageHeight = std::max(m_nImageHeight, toolbar.imageHeight);
    const ImageList strip(ImageList_Create(m_nImageWidth, m_nImageHeight, kImageListFlags, 1, 1));
    if (!strip || !AddBitmapImages(strip.get(), id)) return FALSE;

    for (size_t button = 0; button < toolbar.commands.size(); ++button) {
        const UINT command = toolbar.commands[button];
        if (command == 0 || GetMenuState(m_hMenu, command, MF_BYCOMMAND) == static_cast<UINT>(-1)) continue;
        SetCommandImage(command, strip.get(), ToolbarImageIndex(toolbar.commands, button));
    }
    return TRUE;
}

BOOL TaviMenu::AddBitmapImages(HIMAGELIST list, UINT id) {
    const ResourceBytes resource = FindResourceBytes(id, RT_BITMAP);
    if (!resource.data) return FALSE;
    const HMODULE module = GetModuleHandleW(nullptr);
    // Sixteen-colour strips are drawn in the standard button colours, which
    // follow the user's colour scheme.
    GdiObject<HBITMAP> bitmap;
    if (BitmapColorCount(resource.data, resource.size) == 16)
        bitmap.reset(CreateMappedBitmap(module, static_cast<INT_PTR>(id), 0, nullptr, 0));
    if (!bitmap) bitmap.reset(static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
    if (!bitmap) return FALSE;

    const COLORREF mask = m_bImageMaskSet ? m_crImageMask : GetSysColor(COLOR_BTNFACE);
    if (ImageList_AddMasked(list, bitmap.get(), mask) < 0) return FALSE;

    if (IsXPStyleActive() && s_bXPImageEffects) {
        const WindowDC dc(MeasuringWindow());
        const GdiObject<HBITMAP> faded(RenderImageToBitmap(dc, list, 0));
        MakeFadedImage(faded.get());
        AddFaceMasked(list, faded.get());
        const GdiObject<HBITMAP> shadow(RenderImageToBitmap(dc, list, 0));
        MakeShadowImage(shadow.get());
        AddFaceMasked(list, shadow.get());
    }
    return TRUE;
}

int TaviMenu::AddSharedImage(HIMAGELIST source, int index, UINT_PTR command) {
    if (!s_imageList) s_imageList.reset(ImageList_Create(m_nImageWidth, m_nImageHeight, kImageListFlags, 1, 1));
    const Icon icon(ImageList_GetIcon(source, index, ILD_NORMAL));
    if (!icon || !s_imageList) return -1;

    const bool effects = IsXPStyleActive() && s_bXPImageEffects;
    GdiObject<HBITMAP> faded, shadow;
    if (effects) {
        const WindowDC dc(MeasuringWindow());
        faded.reset(RenderImageToBitmap(dc, source, index));
        MakeFadedImage(faded.get());
        shadow.reset(RenderImageToBitmap(dc, source, index));
        MakeShadowImage(shadow.get());
    }

    HIMAGELIST shared = s_imageList.get();
    const int found = FindSharedImage(command);
    if (found >= 0) {
        ImageList_ReplaceIcon(shared, found, icon.get());
        if (effects && HasImageVariants(found)) {
            for (const auto& [variant, at] : {std::pair(faded.get(), found + 1), std::pair(shadow.get(), found + 2)}) {
                // A one-image list turns the bitmap into an icon with its face colour masked out.
                const ImageList single(ImageList_Create(m_nImageWidth, m_nImageHeight, kImageListFlags, 1, 1));
                AddFaceMasked(single.get(), variant);
                const Icon variantIcon(ImageList_GetIcon(single.get(), 0, ILD_NORMAL));
                if (variantIcon) ImageList_ReplaceIcon(shared, at, variantIcon.get());
            }
        }
        return found;
    }

    // One command entry per image actually added keeps both lists in step.
    const int added = ImageList_ReplaceIcon(shared, -1, icon.get());
    if (added < 0) return -1;
    s_imageCommands.push_back(command);
    if (effects) {
        for (HBITMAP variant : {faded.get(), shadow.get()})
            if (AddFaceMasked(shared, variant) >= 0) s_imageCommands.push_back(command);
    }
    return added;
}

int TaviMenu::FindSharedImage(UINT_PTR command) {
    const auto it = std::find(s_imageCommands.begin(), s_imageCommands.end(), command);
    return it == s_imageCommands.end() ? -1 : static_cast<int>(it - s_imageCommands.begin());
}

BOOL TaviMenu::HasImageVariants(int index) {
    if (index < 0 || static_cast<size_t>(index) + 2 >= s_imageCommands.size()) return FALSE;
    const auto at = s_imageCommands.begin() + index;
    return at[0] == at[1] && at[1] == at[2];
}

HBITMAP TaviMenu::RenderImageToBitmap(HDC dc, HIMAGELIST list, int index) const {
    const Icon icon(ImageList_GetIcon(list, index, ILD_NORMAL));
    const MemoryDC memory(CreateCompatibleDC(dc));
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, m_nImageWidth, m_nImageHeight);
    const CSelectedObject selected(memory.get(), bitmap);
    FillSolid(memory.get(), {0, 0, m_nImageWidth, m_nImageHeight}, GetSysColor(COLOR_BTNFACE));
    if (icon) DrawIconEx(memory.get(), 0, 0, icon.get(), m_nImageWidth, m_nImageHeight, 0, nullptr, DI_NORMAL);
    return bitmap;
}

void TaviMenu::MakeFadedImage(HBITMAP bitmap) {
    RecolourNonFacePixels(bitmap, [](COLORREF pixel) { return static_cast<COLORREF>(MixWithWhite(pixel, 0.3)); });
}

void TaviMenu::MakeShadowImage(HBITMAP bitmap) {
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    if (!IsXPThemed()) shadow = MixWithWhite(shadow, 0.49);
    RecolourNonFacePixels(bitmap, [shadow](COLORREF) { return shadow; });
}
