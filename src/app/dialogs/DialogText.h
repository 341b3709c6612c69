#pragma once
// Reading and answering a dialog's text fields.
#include <windows.h>

#include <string>

// The text of a dialog item without surrounding white space. The raw copy
// read from the control is wiped before returning.
std::wstring ReadTrimmedText(HWND dialog, int id);

// Puts the focus in the offending field, then shows a plain message box
// owned by the dialog, without caption or icon, on the primary monitor.
void ShowFieldMessage(HWND dialog, int id, const wchar_t* text);
