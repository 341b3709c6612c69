#pragma once
// The program's own dialogs, worked as a user would.
#include <windows.h>

#include <string>

// A visible dialog owned by `owner` that has the control; null when none.
HWND OwnedDialog(HWND owner, int controlId);
// Clicks the dialog's box and types the text once the box has the focus.
bool TypeInto(HWND dialog, int box, const std::wstring& text);
// Types the password into both boxes of the settings dialog, presses OK
// and waits until the lock has taken the settings over.
bool AcceptSettings(HWND settings, const std::wstring& password);
// Escape on the lock window; the unlock prompt once it is up with the
// focus in its box, else null.
HWND ShowPrompt(HWND lock);
// Types the password into the prompt, shown first unless it is up, and
// presses Enter.
bool Unlock(HWND lock, const std::wstring& password);
