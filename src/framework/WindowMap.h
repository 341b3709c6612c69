#pragma once
// Window objects by handle, kept in the process itself: a window procedure
// looks its object up for every message, and a window property would cost
// a round trip to the window server each time (under Wine, to wineserver).
#include <windows.h>

class CWnd;

class WindowMap {
public:
    static void Add(HWND hWnd, CWnd* wnd);
    static void Remove(HWND hWnd);
    // Null for a window no object is bound to.
    static CWnd* Find(HWND hWnd);
};
