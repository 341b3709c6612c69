#pragma once
#include <windows.h>
#include "framework/ScopedHandles.h"

// Listens for the echo of a pointer move: when the display tells a window's
// thread that the pointer came into the window, Wine makes a mouse move of
// its own there. A low-level mouse hook sees that move as not injected,
// unlike every move a test sends. One at a time: the hook procedure has no
// context pointer.
class PointerEcho {
public:
    // Listens for an echo at `point` from now on.
    explicit PointerEcho(POINT point);
    ~PointerEcho();
    PointerEcho(const PointerEcho&) = delete;
    PointerEcho& operator=(const PointerEcho&) = delete;

    bool Heard() const;

private:
    static DWORD WINAPI Run(LPVOID ready);
    static LRESULT CALLBACK Hook(int code, WPARAM message, LPARAM lParam);

    KernelHandle m_thread;
    DWORD m_threadId = 0;
};
