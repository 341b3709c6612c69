#pragma once
#include <windows.h>

#include <string>

// The current user's desktop folder, as the shell reports it.
std::wstring DesktopFolder();
// A shell link file as the shell loads it.
struct ShellLink {
    std::wstring target;  // from the link's item list
    std::wstring path;    // as the link object reports it
    std::wstring description, arguments, workingDir, icon;
};
bool ReadShellLink(const std::wstring& file, ShellLink& link);
// The menu the settings dialog's more-operations button drops down, once
// it is open; null on time-out.
HWND WaitForPopupMenu(DWORD processId, DWORD timeoutMs = 30000);
// Opens that menu with a click and chooses its entry with the keys; true
// once the desktop holds the shortcut.
bool CreateShortcutFromSettings(HWND settings);
