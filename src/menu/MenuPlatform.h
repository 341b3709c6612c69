#pragma once
// The platform facts that choose how menus are drawn: the platform
// generation and whether the user's theme is the classic one.
#include <cstdint>
#include <string_view>

// What the platform's version queries report.
struct PlatformVersion {
    uint32_t versionWord = 0;  // top bit set outside the NT family; major version in the low byte
    bool detailsKnown = false;  // the detailed query succeeded; major and minor come from it
    uint32_t major = 0;
    uint32_t minor = 0;
};

// Generation codes: 0 Win32s, 2 Windows 95 (and unknown members of that
// family), 3 Windows 98, 4 Windows Me, 5 NT 4, 6 Windows 2000, 7 Windows XP,
// 1 any other NT-family version.
int ClassifyPlatform(const PlatformVersion& version);

// Whether a theme file path names the classic theme: its ending matches
// "Windows Classic.theme" without regard to ASCII letter case.
bool IsClassicThemePath(std::u16string_view path);
