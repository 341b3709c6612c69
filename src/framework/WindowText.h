#pragma once
// A window's text, however long it is.
#include <windows.h>

#include <string>

// The whole text of `hWnd`: its caption, or what a control shows. The
// returned string is the only copy made, so a caller that wipes it (a
// password) leaves none behind.
std::wstring ReadWindowText(HWND hWnd);
