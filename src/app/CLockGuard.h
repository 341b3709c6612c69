#pragma once
// The lock window's guard duty, from the moment it covers the screens until
// the lock ends: it pins the window over every monitor, shown and topmost,
// mends what got past the pin, brings it back from a virtual desktop the
// user left, keeps other programs' windows behind it and follows the
// monitors when they change.
#include <windows.h>

#include <optional>

#include "app/CVirtualDesktops.h"
#include "app/LockGuardRules.h"
#include "framework/DwmCloaking.h"

class CLockGuard {
public:
    // Covers every monitor with `lock` and holds it there from now on.
    void Hold(HWND lock);
    void Release() { m_bHolding = false; }
    bool Holding() const { return m_bHolding; }

    // Gives the layered window its constant alpha, and keeps that alpha and
    // the extended style the window has now from here on.
    void SetAlpha(std::uint8_t alpha);

    // Covers the monitors as they are now.
    void CoverScreens();
    // Called for WM_WINDOWPOSCHANGING: whoever moves, sizes, hides or
    // lowers the window, it stays over the cover.
    void Pin(WINDOWPOS* change) const;
    // The regular check: mends the window, puts it in front of other
    // programs' windows again and follows a change of the monitors, which
    // Windows announces but not every system does. True when the monitors
    // changed and the cover was made anew.
    bool Check();

private:
    void Mend();
    CVirtualDesktops& Desktops();
    void BringToCurrentDesktop(DesktopRepair repair);
    void KeepInFront();

    HWND m_hLock = nullptr;
    bool m_bHolding = false;
    ScreenRect m_rcCover;
    ScreenLayout m_layout;
    std::uint8_t m_nAlpha = 255;
    LONG m_nExStyle = 0;  // without the topmost bit, which the z-order keeps
    const DwmCloaking m_cloaking;
    std::optional<CVirtualDesktops> m_desktops;  // made when first needed, then kept
};
