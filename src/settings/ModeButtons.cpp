#include "settings/ModeButtons.h"

#include "res/resource.h"

int ModeButtonFor(int mode) {
    return mode >= 0 && mode <= IDC_MODE_LAST - IDC_MODE_FIRST ? IDC_MODE_FIRST + mode : 0;
}

std::wstring ModeTextFor(int button) {
    return std::to_wstring(button - IDC_MODE_FIRST);
}
