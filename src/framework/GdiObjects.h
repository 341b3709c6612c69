#pragma once
// Scoped GDI handles, so that every paint path frees what it made and puts
// back what it replaced.
#include <windows.h>

#include <memory>
#include <type_traits>

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

// A pen, brush, font, bitmap or region owned by the scope.
template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

// An object selected into a context until the end of the scope.
class CSelectedObject {
public:
    CSelectedObject(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hOld(SelectObject(dc, object)) {}
    CSelectedObject(const CSelectedObject&) = delete;
    CSelectedObject& operator=(const CSelectedObject&) = delete;
    ~CSelectedObject() { SelectObject(m_hDC, m_hOld); }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// BeginPaint and EndPaint around a WM_PAINT handler.
class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(BeginPaint(hWnd, &m_ps)) {}
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { EndPaint(m_hWnd, &m_ps); }

    operator HDC() const { return m_hDC; }
    // The part of the window this paint must cover.
    const RECT& PaintRect() const { return m_ps.rcPaint; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
    HDC m_hDC;
};
