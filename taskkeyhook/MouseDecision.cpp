#include "MouseDecision.h"

bool TakesClick(const TopWindow& window) {
    const unsigned clickThrough = kExStyleLayered | kExStyleTransparent;
    return window.shown && !window.cloaked && window.underPointer && (window.exStyle & clickThrough) != clickThrough;
}
