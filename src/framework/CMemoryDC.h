#pragma once
// A memory context with a bitmap of its own for as long as it lives: a
// picture kept between paints, drawn into now and copied from later.
#include <windows.h>

#include <memory>

class CMemoryDC {
public:
    // A bitmap of the size in the format of `compatible`, or null when the
    // size is empty or the system has no room for one.
    static std::unique_ptr<CMemoryDC> Create(HDC compatible, int width, int height);
    ~CMemoryDC();
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    operator HDC() const { return m_hDC; }

private:
    CMemoryDC(HDC dc, HBITMAP bitmap);

    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOldBitmap;
};

inline std::unique_ptr<CMemoryDC> CMemoryDC::Create(HDC compatible, int width, int height) {
    // An empty size would give the one-pixel monochrome stand-in bitmap.
    if (width <= 0 || height <= 0) return nullptr;
    const HDC dc = CreateCompatibleDC(compatible);
    if (!dc) return nullptr;
    const HBITMAP bitmap = CreateCompatibleBitmap(compatible, width, height);
    if (!bitmap) {
        DeleteDC(dc);
        return nullptr;
    }
    return std::unique_ptr<CMemoryDC>(new CMemoryDC(dc, bitmap));
}

inline CMemoryDC::CMemoryDC(HDC dc, HBITMAP bitmap)
    : m_hDC(dc), m_hBitmap(bitmap), m_hOldBitmap(SelectObject(dc, bitmap)) {}

inline CMemoryDC::~CMemoryDC() {
    SelectObject(m_hDC, m_hOldBitmap);
    DeleteObject(m_hBitmap);
    DeleteDC(m_hDC);
}
