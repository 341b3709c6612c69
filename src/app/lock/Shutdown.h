#pragma once
// Shutting the computer down from the unlock prompt.

// Asks the system to shut down at once, with the shutdown privilege enabled
// where the system has privileges.
void ShutdownComputer();

// This process has asked the system to shut down, and the system took the
// request: the end of the session it announces next is a real one.
bool ShutdownRequested();

unsigned GetWindowsMajorVersion();
