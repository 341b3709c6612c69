#pragma once
// A top-down 32-bit bitmap in a memory context, for painting into and
// reading the pixels back.
#include <windows.h>

#include <algorithm>

#include "framework/ScopedHandles.h"

class TestSurface {
public:
    // Anything left unpainted shows as the fill colour.
    TestSurface(int width, int height, COLORREF fill = RGB(1, 2, 3))
        : m_nWidth(width),
          m_nHeight(height),
          m_dc(CreateCompatibleDC(nullptr)),
          m_bitmap(CreateTopDownBitmap(m_dc.get(), width, height, m_pBits)),
          m_selected(m_dc.get(), m_bitmap.get()) {
        Fill(fill);
    }

    HDC DC() const { return m_dc.get(); }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    COLORREF Pixel(int x, int y) const {
        GdiFlush();
        const DWORD bgra = m_pBits[y * m_nWidth + x];
        return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
    // How many pixels of the rectangle have the colour.
    int Count(const RECT& rc, COLORREF colour) const {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) n += Pixel(x, y) == colour;
        return n;
    }
    bool SamePixels(const TestSurface& other) const {
        GdiFlush();
        return m_nWidth == other.m_nWidth && m_nHeight == other.m_nHeight &&
               std::equal(m_pBits, m_pBits + m_nWidth * m_nHeight, other.m_pBits,
                          [](DWORD a, DWORD b) { return (a & 0xFFFFFF) == (b & 0xFFFFFF); });
    }
    void Fill(COLORREF colour) {
        RECT all = {0, 0, m_nWidth, m_nHeight};
        SetBkColor(m_dc.get(), colour);
        ExtTextOutW(m_dc.get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    }

    // Paints the window's client area here as it would paint itself.
    void Print(HWND hWnd) {
        SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_dc.get()), PRF_CLIENT);
    }

private:
    static HBITMAP CreateTopDownBitmap(HDC dc, int width, int height, DWORD*& bits) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        return CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    }

    int m_nWidth;
    int m_nHeight;
    DWORD* m_pBits = nullptr;  // set by the bitmap's making, so declared before it
    MemoryDC m_dc;
    GdiObject<HBITMAP> m_bitmap;
    CSelectedObject m_selected;
};
