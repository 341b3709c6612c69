#pragma once
// How config.ini's text is written and read.
#include <string>
#include <string_view>

// The file made when config.ini is missing: four lines, each ending in CR LF.
std::string_view DefaultConfigText();

// The options config.ini holds, as the lock window keeps them.
struct LockOptions {
    std::wstring bgMode;  // background mode as decimal text, kept as read
    bool holdOff = false;  // hold off screensaver, sleep and workstation locking
    bool allowShutdown = false;  // offer shutdown in the unlock prompt
};

// What the default file says; used as well when the file cannot be made.
LockOptions DefaultOptions();

// Only the exact text "1" switches a flag on.
bool IsFlagOn(const std::wstring& value);
const wchar_t* FlagText(bool on);

// Drive and directory of a path, ending in its last separator.
std::wstring DirectoryOf(const std::wstring& path);
