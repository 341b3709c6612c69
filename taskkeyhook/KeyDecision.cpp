#include "KeyDecision.h"

namespace {

bool InRange(unsigned vk, unsigned first, unsigned last) {
    return vk >= first && vk <= last;
}

bool TypesCharacter(unsigned vk) {
    return vk == kKeySpace || InRange(vk, kKey0, kKey9) || InRange(vk, kKeyA, kKeyZ) ||
           InRange(vk, kKeyNumpad0, kKeyNumpadDivide) || InRange(vk, kKeyOemFirst, kKeyOemBacktick) ||
           InRange(vk, kKeyOemBracket, kKeyOem8) || vk == kKeyOem102 || vk == kKeyPacket;
}

// What moving about and editing in a dialog's boxes needs, and the lock
// keys a password may be typed with.
bool IsEditingKey(unsigned vk) {
    switch (vk) {
    case kKeyBackspace:
    case kKeyTab:
    case kKeyEnter:
    case kKeyEscape:
    case kKeyEnd:
    case kKeyHome:
    case kKeyDelete:
    case kKeyCapsLock:
    case kKeyNumLock: return true;
    default: return InRange(vk, kKeyLeft, kKeyDown);
    }
}

// Shift, Ctrl and Alt, either side. The Windows keys are not among them.
bool IsModifier(unsigned vk) {
    return InRange(vk, kKeyShift, kKeyAlt) || InRange(vk, kKeyLeftShift, kKeyRightAlt);
}

}  // namespace

bool IsSwallowedKey(unsigned vk, const KeyContext& context) {
    // A window that took the foreground from the lock gets no key at all.
    if (!context.foregroundIsOurs) return true;
    if (vk == kKeyLeftWindows || vk == kKeyRightWindows) return true;
    // Typing needs the modifiers themselves, and a modifier's key-up must
    // always arrive so that the system never thinks it is still held.
    if (IsModifier(vk)) return false;
    if (context.windows) return true;
    const bool chord = context.leftAlt || context.rightAlt || context.leftCtrl || context.rightCtrl;
    const bool altGr = context.leftCtrl && context.rightAlt && !context.leftAlt && !context.rightCtrl;
    if (TypesCharacter(vk)) return chord && !altGr;
    if (IsEditingKey(vk)) return chord;
    return true;
}
