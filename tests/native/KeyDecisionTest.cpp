#include <gtest/gtest.h>

#include "KeyDecision.h"

namespace {
const unsigned kKeyA = 'A', kKeyShift = 0x10, kKeyAlt = 0x12, kKeyF4 = 0x73;
const KeyContext kPlain{true, false, false};
const KeyContext kAlt{true, true, false};
const KeyContext kCtrl{true, false, true};
}  // namespace

TEST(KeyDecision, TaskSwitchingChordsAreSwallowedAndTypingIsNot) {
    EXPECT_TRUE(IsSwallowedKey(kKeyTab, kAlt));
    EXPECT_TRUE(IsSwallowedKey(kKeyEscape, kAlt));
    EXPECT_TRUE(IsSwallowedKey(kKeyEscape, kCtrl));
    EXPECT_TRUE(IsSwallowedKey(kKeyLeftWindows, kPlain));
    EXPECT_TRUE(IsSwallowedKey(kKeyRightWindows, kPlain));
    // The lock's own windows need these: Escape for the prompt, Tab and the
    // letters for its dialogs, Alt alone and with F4 (which the lock ignores),
    // and AltGr, which arrives as Ctrl+Alt with the letter.
    for (unsigned vk : std::initializer_list<unsigned>{kKeyEscape, kKeyTab, kKeyA, kKeyShift, kKeyAlt})
        EXPECT_FALSE(IsSwallowedKey(vk, kPlain)) << vk;
    EXPECT_FALSE(IsSwallowedKey(kKeyF4, kAlt));
    EXPECT_FALSE(IsSwallowedKey(kKeyA, KeyContext{true, true, true}));
    EXPECT_FALSE(IsSwallowedKey(kKeyTab, kCtrl));
}

TEST(KeyDecision, AWindowThatTookTheForegroundGetsNoKeyAtAll) {
    for (unsigned vk : std::initializer_list<unsigned>{kKeyA, kKeyEscape, kKeyTab, kKeyShift, kKeyAlt})
        EXPECT_TRUE(IsSwallowedKey(vk, KeyContext{false, false, false})) << vk;
}

TEST(KeyDecision, AModifierWhoseKeyUpNeverCameIsNotHeld) {
    // Ctrl and Alt went down for Ctrl+Alt+Del; the secure desktop took their
    // key-ups. Once the system says they are up, Escape opens the prompt again.
    EXPECT_FALSE(IsSwallowedKey(kKeyAlt, kCtrl));
    EXPECT_TRUE(IsSwallowedKey(kKeyEscape, KeyContext{true, true, true}));
    EXPECT_FALSE(IsSwallowedKey(kKeyEscape, kPlain));
}
