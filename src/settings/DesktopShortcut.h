#pragma once
// The desktop shortcut to the program, made from the settings dialog's menu.
#include <string>

// Writes Quilmar.LNK in the current user's desktop folder, a link to
// quilmar.exe in `appDir` (ending in a backslash) described as "Quilmar",
// replacing an earlier one. Nothing is written when the desktop folder is
// unknown or a path is too long. True when the link was saved.
bool CreateDesktopShortcut(const std::wstring& appDir);
