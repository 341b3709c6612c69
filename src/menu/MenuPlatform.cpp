#include "menu/MenuPlatform.h"

int ClassifyPlatform(const PlatformVersion& version) {
    const bool ntFamily = !(version.versionWord & 0x80000000u);
    if (!ntFamily && (version.versionWord & 0xFF) < 4) return kPlatformWin32s;
    if (!version.detailsKnown) return ntFamily ? kPlatformOtherNt : kPlatformWindows95;
    if (!ntFamily) {
        if (version.major == 4 && version.minor == 10) return kPlatformWindows98;
        if (version.major == 4 && version.minor == 90) return kPlatformWindowsMe;
        return kPlatformWindows95;
    }
    if (version.major == 4) return kPlatformNt4;
    if (version.major == 5 && version.minor == 0) return kPlatformWindows2000;
    if (version.major == 5 && version.minor == 1) return kPlatformWindowsXP;
    return kPlatformOtherNt;
}

bool IsClassicThemePath(std::u16string_view path) {
    constexpr std::u16string_view name = u"windows classic.theme";
    if (path.size() < name.size()) return false;
    const std::u16string_view ending = path.substr(path.size() - name.size());
    for (size_t i = 0; i < name.size(); ++i) {
        char16_t c = ending[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != name[i]) return false;
    }
    return true;
}
