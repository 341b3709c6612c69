#pragma once
// A memory context with a bitmap of its own for as long as it lives: a
// picture kept between paints, drawn into now and copied from later.
#include <windows.h>

#include <memory>

#include "framework/ScopedHandles.h"

class CMemoryDC {
public:
    // A bitmap of the size in the format of `compatible`, or null when the
    // size is empty or the system has no room for one.
    static std::unique_ptr<CMemoryDC> Create(HDC compatible, int width, int height);

    operator HDC() const { return m_dc.get(); }

private:
    CMemoryDC(MemoryDC dc, GdiObject<HBITMAP> bitmap);

    MemoryDC m_dc;
    GdiObject<HBITMAP> m_bitmap;
    CSelectedObject m_selected;
};

inline std::unique_ptr<CMemoryDC> CMemoryDC::Create(HDC compatible, int width, int height) {
    // An empty size would give the one-pixel monochrome stand-in bitmap.
    if (width <= 0 || height <= 0) return nullptr;
    MemoryDC dc(CreateCompatibleDC(compatible));
    if (!dc) return nullptr;
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(compatible, width, height));
    if (!bitmap) return nullptr;
    return std::unique_ptr<CMemoryDC>(new CMemoryDC(std::move(dc), std::move(bitmap)));
}

inline CMemoryDC::CMemoryDC(MemoryDC dc, GdiObject<HBITMAP> bitmap)
    : m_dc(std::move(dc)), m_bitmap(std::move(bitmap)), m_selected(m_dc.get(), m_bitmap.get()) {}
