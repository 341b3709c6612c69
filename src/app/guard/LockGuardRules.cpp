#include "app/guard/LockGuardRules.h"

PlaceChange PinnedChange(PlaceChange change, const ScreenRect& cover) {
    change.flags &= ~kPosHideWindow;
    if (!(change.flags & kPosNoMove)) {
        change.x = cover.left;
        change.y = cover.top;
    }
    if (!(change.flags & kPosNoSize)) {
        change.cx = cover.Width();
        change.cy = cover.Height();
    }
    return change;
}

CoverRepairs RepairsFor(const CoverState& now, const ScreenRect& cover, std::uint8_t alpha) {
    CoverRepairs repairs;
    repairs.restore = now.minimised;
    repairs.show = !now.shown;
    repairs.place = !(now.rect == cover);
    if (now.desktop == DesktopPlace::other) repairs.desktop = DesktopRepair::move;
    else if (now.cloaked) repairs.desktop = DesktopRepair::reshow;
    repairs.topmost = !now.topmost || repairs.desktop != DesktopRepair::none;
    repairs.exStyle = !now.exStyleKept;
    repairs.alpha = repairs.exStyle || now.alpha != alpha;
    return repairs;
}

bool IsAllowedSystemCommand(unsigned command) {
    switch (command & 0xFFF0) {
    case kCommandScreenSave:
    case kCommandMonitorPower: return true;
    default: return false;
    }
}
