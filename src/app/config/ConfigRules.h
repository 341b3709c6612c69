#pragma once
// How config.ini's text is written and read.
#include <cstddef>
#include <string>
#include <string_view>

// The file made when config.ini is missing: four lines, each ending in CR LF.
std::string_view DefaultConfigText();

// The options config.ini holds, as the lock window keeps them.
struct LockOptions {
    std::wstring bgMode;  // background mode as decimal text, kept as read
    bool holdOff = false;  // hold off screensaver, sleep and workstation locking
    bool allowShutdown = false;  // offer shutdown in the unlock prompt
    std::wstring message;  // the owner's line on the locked screen; none when empty
};

// What the default file says; used as well when the file cannot be made.
LockOptions DefaultOptions();

// Only the exact text "1" switches a flag on.
bool IsFlagOn(const std::wstring& value);
const wchar_t* FlagText(bool on);

// Drive and directory of a path, ending in its last separator.
std::wstring DirectoryOf(const std::wstring& path);

// The owner's message is one line of at most this many characters. A
// character is a code point: a surrogate pair counts once. For any text the
// file can hold that is one UTF-16 unit each, since code page 936 has no
// character beyond the Basic Multilingual Plane.
constexpr std::size_t kMessageLimit = 80;

// A message as read from the file, cut to the limit at a character
// boundary: a hand-edited file may hold a longer one. The profile reader has
// turned the file's double-byte characters into whole UTF-16 characters
// already, so no cut falls inside one.
std::wstring CutMessage(const std::wstring& value);

// What the settings dialog answers a message with, or null when it takes
// it. `fileCanHold` says whether the file's code page holds every
// character of it, which only the system can tell.
const wchar_t* MessageRefusal(const std::wstring& message, bool fileCanHold);

// The message as written to the file. The profile reader takes a pair of
// like quotes around a value away, so a message that has them gets a pair
// more and reads back as it was.
std::wstring MessageValue(const std::wstring& message);
