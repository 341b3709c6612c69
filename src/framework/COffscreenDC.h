#pragma once
// Flicker-free drawing of one rectangle of a context: draw into this
// context in the target's own coordinates; when it goes out of scope the
// rectangle is copied onto the target in one transfer. Should the memory
// surface not be available, drawing goes straight to the target.
#include <windows.h>

class COffscreenDC {
public:
    COffscreenDC(HDC target, const RECT& rc);
    COffscreenDC(const COffscreenDC&) = delete;
    COffscreenDC& operator=(const COffscreenDC&) = delete;
    ~COffscreenDC();

    operator HDC() const { return m_hMemDC ? m_hMemDC : m_hTarget; }

private:
    HDC m_hTarget;
    RECT m_rc;
    HDC m_hMemDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
};

inline COffscreenDC::COffscreenDC(HDC target, const RECT& rc) : m_hTarget(target), m_rc(rc) {
    // The bitmap is sized in device units, whatever the mapping mode.
    RECT device = rc;
    LPtoDP(target, reinterpret_cast<POINT*>(&device), 2);
    m_hMemDC = CreateCompatibleDC(target);
    if (!m_hMemDC) return;
    m_hBitmap = CreateCompatibleBitmap(target, device.right - device.left, device.bottom - device.top);
    if (!m_hBitmap) {
        DeleteDC(m_hMemDC);
        m_hMemDC = nullptr;
        return;
    }
    m_hOldBitmap = SelectObject(m_hMemDC, m_hBitmap);
    SetMapMode(m_hMemDC, GetMapMode(target));
    SetWindowOrgEx(m_hMemDC, rc.left, rc.top, nullptr);
}

inline COffscreenDC::~COffscreenDC() {
    if (!m_hMemDC) return;
    BitBlt(m_hTarget, m_rc.left, m_rc.top, m_rc.right - m_rc.left, m_rc.bottom - m_rc.top, m_hMemDC,
           m_rc.left, m_rc.top, SRCCOPY);
    SelectObject(m_hMemDC, m_hOldBitmap);
    DeleteObject(m_hBitmap);
    DeleteDC(m_hMemDC);
}
