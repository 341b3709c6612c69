#pragma once
// The password as both dialogs handle it.
#include <string>

// The text without leading and trailing spaces, tabs and line breaks.
std::wstring TrimWhiteSpace(const std::wstring& text);

// Overwrites a secret before its memory is given back, then empties it.
void WipeText(std::wstring& text);
