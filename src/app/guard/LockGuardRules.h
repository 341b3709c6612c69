#pragma once
// What the lock's guard decides, without Windows calls: where a move of the
// lock window may take it, what must be mended when something got past,
// which system commands the window obeys, and when the monitors changed.
#include <cstdint>

#include "app/guard/LockGeometry.h"

// Window-position flags and system commands as Windows numbers them.
enum : unsigned {
    kPosNoSize = 0x0001,
    kPosNoMove = 0x0002,
    kPosHideWindow = 0x0080,
};
enum : unsigned {
    kCommandScreenSave = 0xF140,
    kCommandMonitorPower = 0xF170,
};

// A change of place as the window is asked to make it; x and y, or the
// size, count only without kPosNoMove, respectively kPosNoSize.
struct PlaceChange {
    int x, y, cx, cy;
    unsigned flags;
};

// The change as the lock lets it happen: never hidden, and wherever it was
// to move to or whatever size it was to take, over the cover. A change of
// the z-order alone leaves the place alone.
PlaceChange PinnedChange(PlaceChange change, const ScreenRect& cover);

// Where a window is among the virtual desktops of Windows 10 and later.
// Unknown where the system has none (Windows 7, Wine) or cannot say.
enum class DesktopPlace { current, other, unknown };

// How the lock window stands now.
struct CoverState {
    ScreenRect rect;
    bool shown;
    bool minimised;
    bool topmost;
    // The extended style, topmost aside, is the one the lock gave it:
    // layered, and not made click-through or a tool window from outside.
    bool exStyleKept;
    // The constant alpha the window shows, with no colour key.
    std::uint8_t alpha;
    // DWM shows nothing of it, though it still counts as shown: left
    // behind on a virtual desktop the user switched away from (a swipe
    // with four fingers, Task View), or kept from view by the shell.
    bool cloaked;
    DesktopPlace desktop;
};

// How the window gets back onto the virtual desktop the user sees.
enum class DesktopRepair {
    none,
    // Moved to that desktop; where that cannot be done, shown anew.
    move,
    // Hidden and shown again, which shows it on that desktop: for a window
    // cloaked where it is, or where the system cannot say where it is.
    reshow,
};

// What the guard must do to bring the window back over `cover`, shown,
// topmost and at `alpha`.
struct CoverRepairs {
    bool restore = false;  // out of its minimised state
    bool show = false;
    bool place = false;
    bool topmost = false;
    bool exStyle = false;
    bool alpha = false;  // also after a new extended style: it resets the alpha
    // Then also topmost: back on the desktop the user sees, it goes in front.
    DesktopRepair desktop = DesktopRepair::none;
    bool Any() const {
        return restore || show || place || topmost || exStyle || alpha || desktop != DesktopRepair::none;
    }
};
CoverRepairs RepairsFor(const CoverState& now, const ScreenRect& cover, std::uint8_t alpha);

// The only system commands the lock window obeys: the screensaver (unless
// held off, which the system then never asks for) and the display's power
// saving. Closing, moving, sizing, minimising, its menu, the task list and
// everything else are refused.
bool IsAllowedSystemCommand(unsigned command);
