#pragma once
// The four background-mode radio buttons, ids 1017 to 1020 for modes 0 to 3.
#include <string>

// The button of a mode, or 0 for a mode no button stands for.
int ModeButtonFor(int mode);

// The mode text a button stands for, "0" to "3".
std::wstring ModeTextFor(int button);
