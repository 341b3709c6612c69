#pragma once
// Which keys the lock's keyboard hook swallows. No Windows calls: the hook
// gathers what it needs from the system and asks here.

// Virtual key codes the decision looks at, as Windows numbers them.
enum : unsigned {
    kKeyBackspace = 0x08,
    kKeyTab = 0x09,
    kKeyEnter = 0x0D,
    kKeyShift = 0x10,
    kKeyAlt = 0x12,
    kKeyCapsLock = 0x14,
    kKeyEscape = 0x1B,
    kKeySpace = 0x20,
    kKeyEnd = 0x23,
    kKeyHome = 0x24,
    kKeyLeft = 0x25,
    kKeyDown = 0x28,
    kKeyDelete = 0x2E,
    kKey0 = 0x30,
    kKey9 = 0x39,
    kKeyA = 0x41,
    kKeyZ = 0x5A,
    kKeyLeftWindows = 0x5B,
    kKeyRightWindows = 0x5C,
    kKeyNumpad0 = 0x60,
    kKeyNumpadDivide = 0x6F,
    kKeyNumLock = 0x90,
    kKeyLeftShift = 0xA0,
    kKeyRightAlt = 0xA5,
    kKeyOemFirst = 0xBA,  // ; = , - . / `
    kKeyOemBacktick = 0xC0,
    kKeyOemBracket = 0xDB,  // [ \ ] ' and the eighth
    kKeyOem8 = 0xDF,
    kKeyOem102 = 0xE2,  // the extra key beside the left Shift
    kKeyPacket = 0xE7,  // a character sent as such, as on-screen keyboards do
};

struct KeyContext {
    // The foreground window belongs to the lock's own process.
    bool foregroundIsOurs;
    // The modifier keys the system holds beside the key itself, left and
    // right apart: AltGr arrives as the left Ctrl with the right Alt. Read
    // afresh for every key, never remembered: a key-up the hook never sees
    // (the secure desktop of Ctrl+Alt+Del takes it) must not leave a
    // modifier held.
    bool leftAlt;
    bool rightAlt;
    bool leftCtrl;
    bool rightCtrl;
    bool windows;  // either Windows key
};

// True for a key, pressed or released, that must not reach any window nor
// fire any hotkey. While another process holds the foreground that is every
// key. Else only what the lock's prompt and dialogs need gets through:
// characters, alone or with Shift or AltGr; Backspace, Delete, the arrows,
// Home, End, Tab, Enter, Escape, Caps Lock and Num Lock, alone or with
// Shift; and the modifier keys themselves. Everything else is swallowed:
// any other chord with Ctrl, Alt or a Windows key (Alt+Tab, Ctrl+Esc, a
// program's Ctrl+Alt hotkey), both Windows keys, the F-keys, Print Screen,
// and the browser, media and launch keys.
bool IsSwallowedKey(unsigned vk, const KeyContext& context);
