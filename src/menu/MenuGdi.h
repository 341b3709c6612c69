#pragma once
// The small painting steps the menu drawing shares.
#include <windows.h>

#include "framework/ScopedHandles.h"

// The application's main window, or the desktop window when there is none:
// the context that menu text is measured in.
HWND MeasuringWindow();
// The menu font of the system's non-client metrics at `dpi`, made afresh:
// items are measured and drawn with it.
GdiObject<HFONT> CreateMenuFont(UINT dpi);

void FillSolid(HDC dc, const RECT& rc, COLORREF color);
void FrameSolid(HDC dc, const RECT& rc, COLORREF color);
// One-pixel frame: top and left in one colour, bottom and right in another.
void Draw3dFrame(HDC dc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight);
