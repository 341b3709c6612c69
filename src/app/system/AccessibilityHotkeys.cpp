#include "app/system/AccessibilityHotkeys.h"

#include <windows.h>

#include "app/system/AccessibilityHotkeyFlags.h"

namespace {

using HotkeyStep = HotkeyChange (*)(AccessibilityFeature, std::uint32_t, std::uint32_t);

// The whole setting goes back as it was read, but for its flags; the
// high-contrast scheme name it points to is valid in this process only.
// Never SPIF_UPDATEINIFILE: what the lock changes must not reach the
// user's profile.
template <class Setting>
void ChangeHotkey(UINT get, UINT set, AccessibilityFeature feature, HotkeyStep step, std::uint32_t& taken) {
    Setting setting{};
    setting.cbSize = sizeof setting;
    if (!SystemParametersInfoW(get, sizeof setting, &setting, 0)) return;
    const HotkeyChange change = step(feature, setting.dwFlags, taken);
    taken = change.takenBefore;
    if (change.flags) {
        setting.dwFlags = *change.flags;
        SystemParametersInfoW(set, sizeof setting, &setting, 0);
    }
    taken = change.takenAfter;
}

void ChangeHotkeys(HotkeyStep step, std::uint32_t& taken) {
    ChangeHotkey<STICKYKEYS>(SPI_GETSTICKYKEYS, SPI_SETSTICKYKEYS, kStickyKeys, step, taken);
    ChangeHotkey<FILTERKEYS>(SPI_GETFILTERKEYS, SPI_SETFILTERKEYS, kFilterKeys, step, taken);
    ChangeHotkey<TOGGLEKEYS>(SPI_GETTOGGLEKEYS, SPI_SETTOGGLEKEYS, kToggleKeys, step, taken);
    ChangeHotkey<MOUSEKEYS>(SPI_GETMOUSEKEYS, SPI_SETMOUSEKEYS, kMouseKeys, step, taken);
    ChangeHotkey<HIGHCONTRASTW>(SPI_GETHIGHCONTRAST, SPI_SETHIGHCONTRAST, kHighContrast, step, taken);
}

}  // namespace

void TakeAccessibilityHotkeys(std::uint32_t& taken) {
    ChangeHotkeys(TakingHotkey, taken);
}

void GiveBackAccessibilityHotkeys(std::uint32_t& taken) {
    // Nothing taken, nothing to read.
    if (taken) ChangeHotkeys(GivingBackHotkey, taken);
}
