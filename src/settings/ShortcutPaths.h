#pragma once
// Where the desktop shortcut points and where it is written. The shell's
// link and folder calls work on paths of at most 260 characters, terminator
// included: a longer path is refused, never cut short.
#include <cstddef>
#include <optional>
#include <string>

// The link file's base name and the link's description.
inline constexpr wchar_t kShortcutName[] = L"Quilmar";
inline constexpr std::size_t kMaxShortcutPath = 260;

struct ShortcutPaths {
    std::wstring target;  // quilmar.exe in the program's folder
    std::wstring link;    // Quilmar.LNK in the desktop folder
};

// `appDir` ends in a backslash; `desktopDir` does not. Nothing when either
// path would not fit or the desktop folder is unknown (empty).
std::optional<ShortcutPaths> MakeShortcutPaths(const std::wstring& appDir, const std::wstring& desktopDir);
