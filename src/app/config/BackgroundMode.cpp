#include "app/config/BackgroundMode.h"

#include <climits>

#include "res/resource.h"

int BgModeNumber(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

int ModeButtonFor(int mode) {
    return mode >= 0 && mode <= IDC_MODE_LAST - IDC_MODE_FIRST ? IDC_MODE_FIRST + mode : 0;
}

std::wstring ModeTextFor(int button) {
    return std::to_wstring(button - IDC_MODE_FIRST);
}

BackgroundStyle BackgroundStyleFor(int mode) {
    switch (mode) {
    case 0: return {255, false};
    case 2: return {60, true};
    case 3: return {1, false};
    default: return {kStartAlpha, false};
    }
}

bool PaintsOnScreen(const std::wstring& text) {
    return text == L"3";
}
