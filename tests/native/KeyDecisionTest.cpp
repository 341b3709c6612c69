#include <gtest/gtest.h>

#include <initializer_list>

#include "KeyDecision.h"

namespace {
// Fields: foreground ours, left Alt, right Alt, left Ctrl, right Ctrl, a Windows key.
const KeyContext kPlain{true, false, false, false, false, false};
const KeyContext kLeftAlt{true, true, false, false, false, false};
const KeyContext kRightAlt{true, false, true, false, false, false};
const KeyContext kLeftCtrl{true, false, false, true, false, false};
const KeyContext kRightCtrl{true, false, false, false, true, false};
const KeyContext kWindows{true, false, false, false, false, true};
const KeyContext kAltGr{true, false, true, true, false, false};
const KeyContext kLeftCtrlAlt{true, true, false, true, false, false};
const KeyContext kChords[] = {kLeftAlt, kRightAlt, kLeftCtrl, kRightCtrl, kWindows, kLeftCtrlAlt};

const unsigned kKeyPageDown = 0x22, kKeyLeftCtrl = 0xA2;
const unsigned kKeyNumpad7 = 0x67, kKeyOemComma = 0xBC, kKeyOemQuote = 0xDE;
// What typing a password and working the lock's dialogs take.
const std::initializer_list<unsigned> kCharacters = {
    kKeyA, kKeyZ, kKey0, kKey9, kKeySpace, kKeyOemComma, kKeyOemQuote, kKeyOem102, kKeyNumpad7, kKeyPacket};
const std::initializer_list<unsigned> kEditingKeys = {
    kKeyBackspace, kKeyDelete, kKeyLeft, kKeyDown, kKeyHome, kKeyEnd, kKeyTab, kKeyEnter, kKeyEscape,
    kKeyCapsLock, kKeyNumLock};
}  // namespace

TEST(KeyDecision, CharactersAndEditingKeysGetThroughAloneOrWithShift) {
    // Shift is no chord: the decision does not even ask for it.
    for (unsigned vk : kCharacters) EXPECT_FALSE(IsSwallowedKey(vk, kPlain)) << vk;
    for (unsigned vk : kEditingKeys) EXPECT_FALSE(IsSwallowedKey(vk, kPlain)) << vk;
    // The modifier keys themselves, whatever else is held.
    for (unsigned vk : std::initializer_list<unsigned>{kKeyShift, kKeyAlt, kKeyLeftShift, kKeyLeftCtrl, kKeyRightAlt}) {
        EXPECT_FALSE(IsSwallowedKey(vk, kPlain)) << vk;
        for (const KeyContext& chord : kChords) EXPECT_FALSE(IsSwallowedKey(vk, chord)) << vk;
    }
}

TEST(KeyDecision, EveryChordWithCtrlAltOrAWindowsKeyIsSwallowed) {
    // Alt+Tab, Alt+Esc, Ctrl+Esc, a program's Ctrl+Alt+K hotkey, Ctrl+V,
    // Alt+F4 (which the lock ignores anyway) and the rest.
    for (const KeyContext& chord : kChords) {
        for (unsigned vk : kCharacters) EXPECT_TRUE(IsSwallowedKey(vk, chord)) << vk;
        for (unsigned vk : kEditingKeys) EXPECT_TRUE(IsSwallowedKey(vk, chord)) << vk;
    }
    EXPECT_TRUE(IsSwallowedKey(kKeyLeftWindows, kPlain));
    EXPECT_TRUE(IsSwallowedKey(kKeyRightWindows, kPlain));
}

TEST(KeyDecision, AltGrTypesCharactersAndLeftCtrlAltDoesNot) {
    for (unsigned vk : std::initializer_list<unsigned>{kKeyA, kKey0, kKeyOemQuote, kKeyOem102}) {
        EXPECT_FALSE(IsSwallowedKey(vk, kAltGr)) << vk;
        EXPECT_TRUE(IsSwallowedKey(vk, kLeftCtrlAlt)) << vk;
        // The right Ctrl is never part of AltGr, nor is the left Alt.
        EXPECT_TRUE(IsSwallowedKey(vk, KeyContext{true, false, true, false, true, false})) << vk;
        EXPECT_TRUE(IsSwallowedKey(vk, KeyContext{true, true, true, true, false, false})) << vk;
    }
    // AltGr is for characters: with Tab or Escape it is Ctrl+Alt.
    EXPECT_TRUE(IsSwallowedKey(kKeyTab, kAltGr));
    EXPECT_TRUE(IsSwallowedKey(kKeyEscape, kAltGr));
}

TEST(KeyDecision, FKeysPrintScreenAndBrowserMediaAndLaunchKeysAreSwallowed) {
    std::initializer_list<unsigned> others = {
        0x70 /* F1 */, 0x73 /* F4 */, 0x79 /* F10 */, 0x87 /* F24 */, 0x2C /* Print Screen */,
        0xA6 /* browser back */, 0xAC /* browser home */, 0xAD /* volume mute */, 0xB3 /* play/pause */,
        0xB4 /* launch mail */, 0xB7 /* launch app 2 */, 0x5F /* sleep */, 0x5D /* apps */, 0x13 /* pause */,
        0x91 /* scroll lock */, 0x2D /* insert */, kKeyPageDown};
    for (unsigned vk : others) {
        EXPECT_TRUE(IsSwallowedKey(vk, kPlain)) << vk;
        EXPECT_TRUE(IsSwallowedKey(vk, kAltGr)) << vk;
    }
}

TEST(KeyDecision, AWindowThatTookTheForegroundGetsNoKeyAtAll) {
    for (unsigned vk : std::initializer_list<unsigned>{kKeyA, kKeyEscape, kKeyTab, kKeyShift, kKeyAlt, kKeyPacket})
        EXPECT_TRUE(IsSwallowedKey(vk, KeyContext{false, false, false, false, false, false})) << vk;
}
