#pragma once
// Off-screen drawing of one menu item: callers draw into GetDC() in the
// target's own coordinates, and when the buffer goes out of scope the
// rectangle is copied onto the target. A printing context has no screen to
// flicker and is drawn into directly.
#include <windows.h>

#include <optional>

#include "framework/COffscreenDC.h"

class CMenuBuffer {
public:
    CMenuBuffer(HDC target, const RECT& rc);

    HDC GetDC() const { return m_offscreen ? static_cast<HDC>(*m_offscreen) : m_hTarget; }

private:
    HDC m_hTarget;
    std::optional<COffscreenDC> m_offscreen;
};
