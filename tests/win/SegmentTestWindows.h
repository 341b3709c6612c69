#pragma once
// Windows and surfaces for the segment display and clock tests: a host
// window with the clock's static control, a 32-bit memory surface to paint
// into and read back, and waiting with the message loop running.
#include <windows.h>

#include <algorithm>
#include <functional>

#include "framework/CWnd.h"

constexpr int kClockControlId = 1002;

// Runs this thread's messages until the condition holds; false on time-out.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 20000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (condition()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 10)),
                                  QS_ALLINPUT);
    }
}

// Runs this thread's messages for a while: for checking that nothing happens.
inline void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

// A visible top-level window holding a static control with the clock's id,
// as the lock window does.
class TestHost {
public:
    TestHost(int width, int height, const wchar_t* text = L"") {
        m_hParent = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        m_hChild = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE, 0, 0, width, height,
                                   m_hParent, reinterpret_cast<HMENU>(kClockControlId),
                                   GetModuleHandleW(nullptr), nullptr);
        m_parent.SubclassWindow(m_hParent);
    }
    ~TestHost() {
        if (IsWindow(m_hParent)) DestroyWindow(m_hParent);
    }
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    CWnd* Parent() { return &m_parent; }
    HWND Child() const { return m_hChild; }
    void Destroy() { DestroyWindow(m_hParent); }

private:
    HWND m_hParent;
    HWND m_hChild;
    CWnd m_parent;
};

// A top-down 32-bit bitmap in a memory context.
class TestSurface {
public:
    TestSurface(int width, int height) : m_nWidth(width), m_nHeight(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_hDC = CreateCompatibleDC(nullptr);
        m_hBitmap = CreateDIBSection(m_hDC, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pBits),
                                     nullptr, 0);
        m_hOld = SelectObject(m_hDC, m_hBitmap);
        // Anything the display leaves unpainted shows up as this.
        Fill(RGB(1, 2, 3));
    }
    ~TestSurface() {
        SelectObject(m_hDC, m_hOld);
        DeleteObject(m_hBitmap);
        DeleteDC(m_hDC);
    }
    TestSurface(const TestSurface&) = delete;
    TestSurface& operator=(const TestSurface&) = delete;

    HDC DC() const { return m_hDC; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    COLORREF Pixel(int x, int y) const {
        GdiFlush();
        const DWORD bgra = m_pBits[y * m_nWidth + x];
        return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
    bool SamePixels(const TestSurface& other) const {
        GdiFlush();
        return m_nWidth == other.m_nWidth && m_nHeight == other.m_nHeight &&
               std::equal(m_pBits, m_pBits + m_nWidth * m_nHeight, other.m_pBits,
                          [](DWORD a, DWORD b) { return (a & 0xFFFFFF) == (b & 0xFFFFFF); });
    }
    void Fill(COLORREF colour) {
        RECT all = {0, 0, m_nWidth, m_nHeight};
        SetBkColor(m_hDC, colour);
        ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    }

    // Paints the window's client area here as it would paint itself.
    void Print(HWND hWnd) {
        SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_hDC), PRF_CLIENT);
    }

private:
    int m_nWidth;
    int m_nHeight;
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    DWORD* m_pBits = nullptr;
};
