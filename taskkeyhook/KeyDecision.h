#pragma once
// Which keys the lock's keyboard hook swallows. No Windows calls: the hook
// gathers what it needs from the system and asks here.

// Virtual key codes the decision looks at, as Windows numbers them.
enum : unsigned {
    kKeyTab = 0x09,
    kKeyEscape = 0x1B,
    kKeyLeftWindows = 0x5B,
    kKeyRightWindows = 0x5C,
};

struct KeyContext {
    // The foreground window belongs to the lock's own process.
    bool foregroundIsOurs;
    // Alt and Ctrl as the system holds them beside the key itself. Read
    // afresh for every key, never remembered: a key-up the hook never sees
    // (the secure desktop of Ctrl+Alt+Del takes it) must not leave a
    // modifier held.
    bool alt;
    bool ctrl;
};

// True for a key, pressed or released, that must not reach any window:
// everything while another process holds the foreground, and the
// task-switching keys (Alt+Tab, Alt+Esc, Ctrl+Esc, both Windows keys).
bool IsSwallowedKey(unsigned vk, const KeyContext& context);
