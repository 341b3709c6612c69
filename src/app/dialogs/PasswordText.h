#pragma once
// The password as both dialogs handle it.
#include <string>

// The text without leading and trailing spaces, tabs and line breaks.
std::wstring TrimWhiteSpace(const std::wstring& text);

// Overwrites a secret before its memory is given back, then empties it.
void WipeText(std::wstring& text);

// Whether the text typed into the prompt, already trimmed, ends the lock:
// exactly the password, letter case and all. Before the settings are
// accepted there is no password, and nothing typed matches it, not even
// nothing.
bool Unlocks(const std::wstring& typed, const std::wstring& password);
