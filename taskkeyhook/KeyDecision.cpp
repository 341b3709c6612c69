#include "KeyDecision.h"

bool IsSwallowedKey(unsigned vk, const KeyContext& context) {
    // A window that took the foreground from the lock gets no key at all.
    if (!context.foregroundIsOurs) return true;
    switch (vk) {
    case kKeyLeftWindows:
    case kKeyRightWindows: return true;
    case kKeyTab: return context.alt;
    case kKeyEscape: return context.alt || context.ctrl;
    default: return false;
    }
}
