#pragma once
// Shutting the computer down from the unlock prompt.

// Asks the system to shut down at once, with the shutdown privilege enabled
// where the system has privileges.
void ShutdownComputer();

unsigned GetWindowsMajorVersion();
