#pragma once
#include <string>

// The full path of the running executable, however long.
std::wstring ModulePath();
