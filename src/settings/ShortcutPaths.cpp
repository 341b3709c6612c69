#include "settings/ShortcutPaths.h"

std::optional<ShortcutPaths> MakeShortcutPaths(const std::wstring& appDir, const std::wstring& desktopDir) {
    if (desktopDir.empty()) return std::nullopt;
    ShortcutPaths paths{appDir + L"quilmar.exe", desktopDir + L"\\" + kShortcutName + L".LNK"};
    if (paths.target.size() >= kMaxShortcutPath || paths.link.size() >= kMaxShortcutPath) return std::nullopt;
    return paths;
}
