#include "app/system/AccessibilityHotkeyFlags.h"

namespace {

// SKF_HOTKEYACTIVE, FKF_HOTKEYACTIVE, TKF_HOTKEYACTIVE, MKF_HOTKEYACTIVE and
// HCF_HOTKEYACTIVE: the same bit in each feature's flags.
const std::uint32_t kHotkeyActive = 0x4;
// HCF_OPTION_NOTHEMECHANGE: without it, setting the high-contrast flags
// sends every window a theme change even when high contrast itself stays as
// it is, which the lock never changes.
const std::uint32_t kNoThemeChange = 0x1000;

std::uint32_t TakenMark(AccessibilityFeature feature) {
    return 1u << feature;
}

std::uint32_t SettingOptions(AccessibilityFeature feature) {
    return feature == kHighContrast ? kNoThemeChange : 0;
}

}  // namespace

HotkeyChange TakingHotkey(AccessibilityFeature feature, std::uint32_t flags, std::uint32_t taken) {
    if (!(flags & kHotkeyActive)) return {taken, std::nullopt, taken};
    taken |= TakenMark(feature);
    return {taken, (flags & ~kHotkeyActive) | SettingOptions(feature), taken};
}

HotkeyChange GivingBackHotkey(AccessibilityFeature feature, std::uint32_t flags, std::uint32_t taken) {
    const std::uint32_t forgotten = taken & ~TakenMark(feature);
    if (taken == forgotten || (flags & kHotkeyActive)) return {taken, std::nullopt, forgotten};
    return {taken, flags | kHotkeyActive | SettingOptions(feature), forgotten};
}
