#pragma once
// The lock window's guard duty, from the moment it covers the screens until
// the lock ends: it pins the window over every monitor, shown and topmost,
// mends what got past the pin, brings it back from a virtual desktop the
// user left, keeps other programs' windows behind it and follows the
// monitors when they change.
//
// It checks when told that something may have got past: a window of
// another program shown, created, raised, brought to the foreground or
// cloaked anywhere on the desktop (the system's window events), or a
// change the lock window hears of itself; and once more shortly after it
// put another program's window back, which may come forward again. What
// nothing announces, another program's new alpha for the window and, where
// the system sends no WM_DISPLAYCHANGE (Wine), new monitors, is checked
// often; the whole check runs now and then as the net for an event the
// system did not send.
#include <windows.h>

#include <optional>
#include <vector>

#include "app/guard/CVirtualDesktops.h"
#include "app/guard/LockGuardRules.h"
#include "framework/DwmCloaking.h"
#include "framework/ScopedHandles.h"

class CLockGuard {
public:
    // Covers every monitor with `lock` and holds it there from now on.
    void Hold(HWND lock);
    void Release();

    // From now on posts `message` to the lock when a window event says
    // something may have got past, one at a time: the lock then checks.
    void WatchEvents(UINT message);
    // The lock window heard of a change to itself, from another program or
    // the system: a check is posted, unless the guard made the change.
    void CheckSoon();

    // Gives the layered window its constant alpha, and keeps that alpha and
    // the extended style the window has now from here on.
    void SetAlpha(std::uint8_t alpha);

    // Covers the monitors as they are now.
    void CoverScreens();
    // Called for WM_WINDOWPOSCHANGING: whoever moves, sizes, hides or
    // lowers the window, it stays over the cover.
    void Pin(WINDOWPOS* change) const;
    // The check: mends the window, puts it in front of other programs'
    // windows again and follows a change of the monitors, which Windows
    // announces but not every system does. True when the monitors changed
    // and the cover was made anew.
    bool Check();
    // The frequent check, of what nothing announces: another program's new
    // alpha for the window and, where the system sends no WM_DISPLAYCHANGE
    // (Wine), new monitors. True when the monitors changed and the cover
    // was made anew.
    bool CheckUnannounced();

private:
    static void CALLBACK OnWindowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                                       DWORD);
    void PostCheck();
    void LookAgainSoon();
    static void CALLBACK OnLookAgain(HWND, UINT, UINT_PTR timer, DWORD);
    void Cover(const std::vector<ScreenRect>& monitors);
    void Mend();
    CVirtualDesktops& Desktops();
    void BringToCurrentDesktop(DesktopRepair repair);
    bool KeepInFront();

    HWND m_hLock = nullptr;
    bool m_bHolding = false;
    ScreenRect m_rcCover;
    std::vector<ScreenRect> m_monitors;  // as last covered
    std::uint8_t m_nAlpha = 255;
    LONG m_nExStyle = 0;  // without the topmost bit, which the z-order keeps
    const DwmCloaking m_cloaking;
    std::optional<CVirtualDesktops> m_desktops;  // made when first needed, then kept
    std::vector<WinEventHook> m_eventHooks;
    UINT m_nCheckMessage = 0;
    bool m_bCheckPosted = false;
    UINT_PTR m_lookAgain = 0;  // the thread's timer for the look after a push back
    bool m_bMending = false;  // the changes the lock hears of now are the guard's own
};
