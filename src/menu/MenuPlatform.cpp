#include "menu/MenuPlatform.h"

int ClassifyPlatform(const PlatformVersion& version) {
    const bool ntFamily = !(version.versionWord & 0x80000000u);
    if (!ntFamily && (version.versionWord & 0xFF) < 4) return 0;
    if (!version.detailsKnown) return ntFamily ? 1 : 2;
    if (!ntFamily) {
        if (version.major == 4 && version.minor == 10) return 3;
        if (version.major == 4 && version.minor == 90) return 4;
        return 2;
    }
    if (version.major == 4) return 5;
    if (version.major == 5 && version.minor == 0) return 6;
    if (version.major == 5 && version.minor == 1) return 7;
    return 1;
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
