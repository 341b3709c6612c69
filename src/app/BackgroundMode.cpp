#include "app/BackgroundMode.h"

BackgroundStyle BackgroundStyleFor(int mode) {
    switch (mode) {
    case 0: return {255, false};
    case 2: return {60, true};
    case 3: return {1, false};
    default: return {kStartAlpha, false};
    }
}
