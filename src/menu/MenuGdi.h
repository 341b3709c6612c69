#pragma once
// Scoped resources beyond the framework's GDI objects, and the small painting
// steps the menu drawing shares, so that every measure and paint frees what
// it made.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>

#include "framework/GdiObjects.h"

struct MemoryDCDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDC = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDCDeleter>;

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

struct ImageListDeleter {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
using ImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

// A window's drawing context, released at the end of the scope.
class WindowDC {
public:
    explicit WindowDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(GetDC(hWnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { ReleaseDC(m_hWnd, m_hDC); }
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// The application's main window, or the desktop window when there is none:
// the context that menu text is measured in.
HWND MeasuringWindow();
// The menu font of the system's non-client metrics, made afresh.
GdiObject<HFONT> CreateMenuFont();

void FillSolid(HDC dc, const RECT& rc, COLORREF color);
void FrameSolid(HDC dc, const RECT& rc, COLORREF color);
// One-pixel frame: top and left in one colour, bottom and right in another.
void Draw3dFrame(HDC dc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight);
