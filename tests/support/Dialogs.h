#pragma once
// The program's own dialogs, worked as a user would. A failure says which
// step failed and what it saw.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// A visible dialog owned by `owner` that has the control; null when none.
HWND OwnedDialog(HWND owner, int controlId);
// Clicks the dialog's box and types the text once keys go to the box.
::testing::AssertionResult TypeInto(HWND dialog, int box, const std::wstring& text);
// Types the password into both boxes of the settings dialog, presses OK
// and waits until the lock has taken the settings over.
::testing::AssertionResult AcceptSettings(HWND settings, const std::wstring& password);
// Escape on the lock window; succeeds once the unlock prompt is up and keys
// go to its box, and gives the prompt.
::testing::AssertionResult ShowPrompt(HWND lock, HWND* prompt = nullptr);
// Types the password into the prompt, shown first unless it is up, and
// presses Enter.
::testing::AssertionResult Unlock(HWND lock, const std::wstring& password);
