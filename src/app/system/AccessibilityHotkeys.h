#pragma once
// Switches the accessibility hotkeys off while the screen is locked, and
// back on at its end. `taken` is the record of what is taken (one bit per
// feature, see AccessibilityHotkeyFlags.h). The settings change for this
// session only: the user's profile keeps the hotkeys as they are.
#include <cstdint>

void TakeAccessibilityHotkeys(std::uint32_t& taken);

// Reads the settings again, in whichever process gives back; no heap.
void GiveBackAccessibilityHotkeys(std::uint32_t& taken);
