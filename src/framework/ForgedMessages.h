#pragma once
// Some messages only the system sends a window, from the window's own
// thread: its destruction and a dialog's initialisation, and, from the
// system itself, the end of the session. Another program can post or send
// copies of them; those copies are forgeries and must reach no window.
#include <windows.h>

// Whether only the system sends `message`: a copy taken from a message
// queue was posted, by another program. Our own loop drops those.
bool OnlyTheSystemSends(UINT message);

// Whether the message a bound window is handling now is a forgery: a
// destruction sent from another thread, or an initialisation of a dialog
// that was initialised when it was bound.
bool IsForgedWindowMessage(UINT message);
