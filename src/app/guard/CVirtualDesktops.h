#pragma once
// The virtual desktops of Windows 10 and later, as far as the lock needs
// them: whether a window is on the one the user sees, and moving one of
// the process's windows there. Where the system has none (Windows 7, Wine)
// nothing is known and nothing moves. Made on the thread that uses it,
// which it gives COM for its lifetime.
#include <windows.h>

#include "app/guard/LockGuardRules.h"
#include "framework/ScopedHandles.h"

struct IVirtualDesktopManager;

class CVirtualDesktops {
public:
    CVirtualDesktops();
    ~CVirtualDesktops();

    DesktopPlace PlaceOf(HWND window) const;
    // Moves `window`, one of this process's, to the desktop `there` is on.
    // False when that cannot be done.
    bool MoveToDesktopOf(HWND window, HWND there) const;

private:
    const ComApartment m_com;  // declared first: it outlives the manager
    ComPtr<IVirtualDesktopManager> m_manager;
};
