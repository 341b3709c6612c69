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

// Platform generations. Unknown members of the Windows 95 family count as
// Windows 95; other NT-family versions have a generation of their own.
enum PlatformGeneration : int {
    kPlatformWin32s = 0,
    kPlatformOtherNt = 1,
    kPlatformWindows95 = 2,
    kPlatformWindows98 = 3,
    kPlatformWindowsMe = 4,
    kPlatformNt4 = 5,
    kPlatformWindows2000 = 6,
    kPlatformWindowsXP = 7,
};

int ClassifyPlatform(const PlatformVersion& version);

// Whether a theme file path names the classic theme: its ending matches
// "Windows Classic.theme" without regard to ASCII letter case.
bool IsClassicThemePath(std::u16string_view path);
