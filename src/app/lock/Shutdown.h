#pragma once
// Shutting the computer down from the unlock prompt, and telling a real end
// of the session from a message that only says so.

// Asks the system to shut down at once, with the shutdown privilege enabled
// where the system has privileges.
void ShutdownComputer();

// The session really ends: the system says so, or this process asked it to
// shut down and it took the request (not every system says so).
bool SessionIsEnding();

unsigned GetWindowsMajorVersion();
