#pragma once
// The background modes, "0" to "3" in config.ini: how their text is read,
// which radio button of the settings stands for each, and what each does to
// the lock window.
#include <cstdint>
#include <string>

// The number a mode's text stands for, read like atoi: leading white space,
// a sign, then digits; anything without digits is 0. Values beyond int's
// range saturate instead of overflowing.
int BgModeNumber(const std::wstring& text);

// The radio button of a mode, or 0 for a mode no button stands for.
int ModeButtonFor(int mode);
// The mode text a radio button stands for, "0" to "3".
std::wstring ModeTextFor(int button);

struct BackgroundStyle {
    std::uint8_t alpha;  // constant alpha of the lock window
    bool whiteDigits;  // white clock segments instead of yellow
};

// Unknown modes keep the veil the window starts with. The practically
// invisible mode uses alpha 1: at 0 the window would let clicks through.
BackgroundStyle BackgroundStyleFor(int mode);

// The alpha of the lock window before the settings are accepted.
constexpr std::uint8_t kStartAlpha = 180;

// The practically invisible mode, named by exactly this text, writes its
// banners onto the screen itself instead of into its window.
bool PaintsOnScreen(const std::wstring& text);
