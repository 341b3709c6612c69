#pragma once
#include <windows.h>
#include "HookThread.h"

// Listens for the echo of a pointer move: when the display tells a window's
// thread that the pointer came into the window, Wine makes a mouse move of
// its own there. A low-level mouse hook sees that move as not injected,
// unlike every move a test sends. One at a time: the hook procedure has no
// context pointer.
class PointerEcho {
public:
    // Listens for an echo at `point` from now on.
    explicit PointerEcho(POINT point);

    bool Heard() const;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM message, LPARAM lParam);

    HookThread m_hook;
};
