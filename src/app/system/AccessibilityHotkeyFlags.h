#pragma once
// The accessibility hotkeys the key guard cannot stop: they are made of keys
// the prompt needs (Shift, Num Lock), or the system acts on them before any
// hook sees them. Each opens a dialog whose link leads to Settings, past the
// lock, so the lock switches these hotkeys off while it holds the screen.
// Only the hotkey bit changes: the features themselves stay as the user has
// them, and so do their confirmation and siren options, which act only when
// the hotkey does.
#include <cstdint>
#include <optional>

enum AccessibilityFeature : unsigned {
    kStickyKeys = 0,    // Shift pressed five times
    kFilterKeys = 1,    // right Shift held for eight seconds
    kToggleKeys = 2,    // Num Lock held down for seconds
    kMouseKeys = 3,     // left Alt + left Shift + Num Lock
    kHighContrast = 4,  // left Alt + left Shift + Print Screen
};

// One feature's step as the lock takes or gives back its hotkey, given the
// feature's flags as they are now and the record of hotkeys taken (one bit
// per feature whose hotkey the lock switched off).
struct HotkeyChange {
    std::uint32_t takenBefore;           // the record to keep before the flags are set
    std::optional<std::uint32_t> flags;  // the flags to set, when anything changes
    std::uint32_t takenAfter;            // the record once they are set
};

// Taking marks the feature as taken before its hotkey goes off, so that a
// kill in between leaves nothing the watchdog does not put back. A hotkey
// that is off already is not taken: nothing changes and nothing comes back.
// Locking again while it is taken finds it off and remembers nothing new.
HotkeyChange TakingHotkey(AccessibilityFeature feature, std::uint32_t flags, std::uint32_t taken);

// Giving back turns the hotkey on again in the flags as they are now, only
// when the lock took it, and forgets it once that is done.
HotkeyChange GivingBackHotkey(AccessibilityFeature feature, std::uint32_t flags, std::uint32_t taken);
