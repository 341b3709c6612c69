#pragma once
#include <windows.h>
#include "framework/ScopedHandles.h"

// A window of this test program on a thread of its own: what another
// program's window is to the lock. It answers messages while the test
// waits, counts the keys, clicks and hotkeys it gets, and on request takes
// the foreground back every few milliseconds.
class ForeignWindow {
public:
    // Shown: a topmost window over the whole screen; else hidden.
    ForeignWindow(const wchar_t* className, bool shown);
    ~ForeignWindow();
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;

    HWND Window() const { return m_window; }
    // Raises the window and makes it the foreground window before returning.
    void TakeForeground();
    void StealForeground(bool steal) { m_steal = steal; }
    LONG Keys() const { return m_keys; }
    LONG Clicks() const { return m_clicks; }
    // Registers a hotkey for the window, as another program would; returns
    // its number for HotKeys, or -1 when the system refuses it.
    int AddHotKey(UINT modifiers, UINT vk);
    // How often the hotkey of that number fired.
    LONG HotKeys(int number) const { return m_hotKeys[number]; }

private:
    static DWORD WINAPI Run(LPVOID self);
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const wchar_t* m_className;
    bool m_shown;
    HWND m_window = nullptr;
    KernelHandle m_thread;
    KernelHandle m_ready;
    volatile bool m_steal = false;
    volatile LONG m_keys = 0, m_clicks = 0;
    static const int kMaxHotKeys = 2;
    int m_hotKeyCount = 0;  // the window's thread alone counts them
    volatile LONG m_hotKeys[kMaxHotKeys] = {};
};
