#pragma once
#include <windows.h>

#include <vector>

// The colours on the screen in `area`, row by row, as 0x00BBGGRR.
std::vector<COLORREF> CaptureScreen(const RECT& area);
