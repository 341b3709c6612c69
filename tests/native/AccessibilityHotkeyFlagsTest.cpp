#include <gtest/gtest.h>

#include <initializer_list>

#include "app/system/AccessibilityHotkeyFlags.h"

namespace {

// What Windows documents for each feature: its hotkey bit (the *_HOTKEYACTIVE
// flags), and what setting its flags must carry besides (HCF_OPTION_NOTHEMECHANGE,
// since the lock never toggles high contrast itself).
struct FeatureCase {
    AccessibilityFeature feature;
    std::uint32_t hotkey;
    std::uint32_t settingOptions;
};
const FeatureCase kFeatures[] = {
    {kStickyKeys, 0x4, 0}, {kFilterKeys, 0x4, 0}, {kToggleKeys, 0x4, 0}, {kMouseKeys, 0x4, 0},
    {kHighContrast, 0x4, 0x1000},
};

// The rest of the flags, which the lock leaves as they are: none; the
// feature on and available, with its confirmation and siren on the hotkey
// (0x1, 0x2, 0x8, 0x10); the features' other options and states (0x20,
// 0x40, the high bits).
const std::initializer_list<std::uint32_t> kOtherFlags = {0, 0x1 | 0x2 | 0x8 | 0x10, 0xF0000000 | 0x40 | 0x20};

// Another feature's hotkey, taken before this one: its mark must stay.
std::uint32_t OtherMark(AccessibilityFeature feature) {
    const AccessibilityFeature other = feature == kStickyKeys ? kHighContrast : kStickyKeys;
    return TakingHotkey(other, 0x4, 0).takenAfter;
}

}  // namespace

TEST(AccessibilityHotkeyFlags, TakingSwitchesOnlyTheHotkeyOffAndMarksItBeforehand) {
    for (const FeatureCase& c : kFeatures) {
        const std::uint32_t earlier = OtherMark(c.feature);
        for (std::uint32_t other : kOtherFlags) {
            const HotkeyChange change = TakingHotkey(c.feature, other | c.hotkey, earlier);
            ASSERT_TRUE(change.flags) << c.feature << " " << other;
            EXPECT_EQ(*change.flags, other | c.settingOptions) << c.feature << " " << other;
            EXPECT_NE(change.takenBefore, earlier) << c.feature;
            EXPECT_EQ(change.takenBefore & earlier, earlier) << c.feature;
            EXPECT_EQ(change.takenAfter, change.takenBefore) << c.feature;
        }
    }
}

TEST(AccessibilityHotkeyFlags, AHotkeyThatIsOffIsNeitherChangedNorTaken) {
    for (const FeatureCase& c : kFeatures) {
        for (std::uint32_t other : kOtherFlags) {
            for (std::uint32_t taken : {0u, OtherMark(c.feature)}) {
                const HotkeyChange change = TakingHotkey(c.feature, other, taken);
                EXPECT_FALSE(change.flags) << c.feature << " " << other;
                EXPECT_EQ(change.takenBefore, taken) << c.feature;
                EXPECT_EQ(change.takenAfter, taken) << c.feature;
                // Nothing was taken, so nothing comes back.
                const HotkeyChange back = GivingBackHotkey(c.feature, other, change.takenAfter);
                EXPECT_FALSE(back.flags) << c.feature << " " << other;
                EXPECT_EQ(back.takenAfter, taken) << c.feature;
            }
        }
    }
}

TEST(AccessibilityHotkeyFlags, GivingBackPutsTheHotkeyIntoTheFlagsAsTheyAreThenAndForgetsItAfterwards) {
    for (const FeatureCase& c : kFeatures) {
        const std::uint32_t earlier = OtherMark(c.feature);
        const HotkeyChange taking = TakingHotkey(c.feature, c.hotkey, earlier);
        // A further lock while taken finds the hotkey off: it remembers nothing new.
        const HotkeyChange again = TakingHotkey(c.feature, 0, taking.takenAfter);
        EXPECT_FALSE(again.flags) << c.feature;
        EXPECT_EQ(again.takenAfter, taking.takenAfter) << c.feature;
        // Whatever else changed while locked stays as it is then.
        for (std::uint32_t other : kOtherFlags) {
            const HotkeyChange back = GivingBackHotkey(c.feature, other, again.takenAfter);
            ASSERT_TRUE(back.flags) << c.feature << " " << other;
            EXPECT_EQ(*back.flags, other | c.hotkey | c.settingOptions) << c.feature << " " << other;
            // Still marked until the hotkey is back: a kill in between leaves it to the watchdog.
            EXPECT_EQ(back.takenBefore, again.takenAfter) << c.feature;
            EXPECT_EQ(back.takenAfter, earlier) << c.feature;
        }
        // Already on again (another program turned it on): nothing to set, and forgotten.
        const HotkeyChange on = GivingBackHotkey(c.feature, c.hotkey | 0x1, taking.takenAfter);
        EXPECT_FALSE(on.flags) << c.feature;
        EXPECT_EQ(on.takenAfter, earlier) << c.feature;
    }
}

TEST(AccessibilityHotkeyFlags, EachFeatureIsGivenBackOnItsOwn) {
    std::uint32_t all = 0;
    for (const FeatureCase& c : kFeatures) all = TakingHotkey(c.feature, c.hotkey, all).takenAfter;
    for (const FeatureCase& c : kFeatures) {
        const std::uint32_t rest = GivingBackHotkey(c.feature, 0, all).takenAfter;
        for (const FeatureCase& d : kFeatures)
            EXPECT_EQ(GivingBackHotkey(d.feature, 0, rest).flags.has_value(), d.feature != c.feature)
                << c.feature << " " << d.feature;
    }
}
