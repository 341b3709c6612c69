#pragma once
#include <windows.h>

#include <string>

// The full path of a loaded module, however long: by default the running
// executable.
std::wstring ModulePath(HMODULE module = nullptr);
