#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>

// The lock window of any running lock, by its class and title.
HWND FindLockWindow();
// The text the system keeps for another program's window, read without
// sending it a message: a lock that is busy or dying cannot hold a test up.
std::wstring WindowText(HWND window);
// Another program reads only the length of a password box.
int TextLength(HWND window);
// A top-level window of the process that matches; null when none does.
HWND FindTopLevel(DWORD processId, std::function<bool(HWND)> match);
bool IsDialogClass(HWND window);
// The window with the keyboard focus in the thread.
HWND FocusWindowOf(DWORD threadId);
// Makes the window the foreground window and waits until it is.
::testing::AssertionResult BringToFront(HWND window);
// Where a key pressed now would go, as a failure shows it: the foreground
// window and the focus of its thread.
std::string DescribeKeyboard();
// Waits until a key pressed now goes to `window`, a dialog's item: the
// system sends keys to the focus of the foreground window's thread, so the
// item's dialog must be the foreground window and the item that focus (the
// focus of the item's own thread alone says nothing while another window
// is in front), and the thread must have taken in what the display told it
// of the focus and the pointer, after which Wine lets go of keys held.
// A failure names the foreground window and its focus.
::testing::AssertionResult WaitForKeysTo(HWND window, DWORD timeoutMs = 30000);

// Keyboard and mouse input through the system's input queue.
void PressKey(WORD vk);
void PressKeys(std::initializer_list<WORD> chord);  // held in order, released in reverse
void TypeText(const std::wstring& text);
// A left click in the middle of it, once the pointer is there.
::testing::AssertionResult ClickWindow(HWND window);
void DoubleClickWindow(HWND window);
// Moves the pointer to a point of the screen, as a mouse would, and waits
// until the program whose window is there has taken that in.
::testing::AssertionResult MovePointer(POINT screen);
// Presses or releases the left button where MovePointer put the pointer.
void LeftButton(bool down);
