#pragma once
// config.ini next to the executable: created, read and written back.
#include <string>

#include "app/config/ConfigRules.h"

// True when the file can be opened for reading; one that exists but cannot
// be opened counts as missing.
bool FileExists(const std::wstring& path);

// Writes the default content, replacing whatever is there. False when the
// file could not be written in full.
bool CreateDefaultConfig(const std::wstring& path);

// One value of the file, at most 99 characters; "" when missing.
std::wstring ReadProfileValue(const std::wstring& path, const wchar_t* section, const wchar_t* key);

// The options as the file holds them, creating it first when missing. When
// it cannot be created the defaults are used.
LockOptions LoadOptions(const std::wstring& path);

// Writes the options in place, leaving the rest of the file as it is.
void SaveOptions(const std::wstring& path, const LockOptions& options);

// Whether every character of the text comes back as it was from the code
// page: the file is written in the system's ANSI code page (CP_ACP).
bool CodePageHolds(unsigned codePage, const std::wstring& text);
