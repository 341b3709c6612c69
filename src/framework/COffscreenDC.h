#pragma once
// Flicker-free drawing of one rectangle of a context: draw into this
// context in the target's own coordinates; when it goes out of scope the
// rectangle is copied onto the target in one transfer. Should the memory
// surface not be available, drawing goes straight to the target.
#include <windows.h>

#include <optional>

#include "framework/ScopedHandles.h"

class COffscreenDC {
public:
    COffscreenDC(HDC target, const RECT& rc);
    ~COffscreenDC();

    operator HDC() const { return m_selected ? m_memory.get() : m_hTarget; }

private:
    HDC m_hTarget;
    RECT m_rc;
    MemoryDC m_memory;
    GdiObject<HBITMAP> m_bitmap;
    std::optional<CSelectedObject> m_selected;  // the bitmap, once there is one
};

inline COffscreenDC::COffscreenDC(HDC target, const RECT& rc) : m_hTarget(target), m_rc(rc) {
    // The bitmap is sized in device units, whatever the mapping mode.
    RECT device = rc;
    LPtoDP(target, reinterpret_cast<POINT*>(&device), 2);
    m_memory.reset(CreateCompatibleDC(target));
    if (!m_memory) return;
    m_bitmap.reset(CreateCompatibleBitmap(target, device.right - device.left, device.bottom - device.top));
    if (!m_bitmap) return;
    m_selected.emplace(m_memory.get(), m_bitmap.get());
    SetMapMode(m_memory.get(), GetMapMode(target));
    SetWindowOrgEx(m_memory.get(), rc.left, rc.top, nullptr);
}

inline COffscreenDC::~COffscreenDC() {
    if (!m_selected) return;
    BitBlt(m_hTarget, m_rc.left, m_rc.top, m_rc.right - m_rc.left, m_rc.bottom - m_rc.top, m_memory.get(),
           m_rc.left, m_rc.top, SRCCOPY);
}
