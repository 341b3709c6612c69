#pragma once
// Some messages only the system sends a window, from the window's own
// thread: its destruction and a dialog's initialisation, and, from the
// system itself, the end of the session. Another program can post or send
// copies of them; those copies are forgeries and must reach no window.
#include <windows.h>

// Turns forged copies that arrive through the calling thread's message
// queue into WM_NULL, before any loop of the thread (ours, a message box's,
// a menu's) dispatches them, for the rest of the thread's life: the hook
// goes with the thread.
void IgnorePostedSystemMessages();

// Whether the message a bound window is handling now is a forgery: a
// destruction sent from another thread, or an initialisation of a dialog
// that was initialised when it was bound.
bool IsForgedWindowMessage(UINT message);
