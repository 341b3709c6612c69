#pragma once
// Reading back the command lines the lock writes: the restore commands it
// leaves in RunOnce and the arguments of its watchdog.
#include <string>
#include <vector>

// The words of a command line, split at spaces and tabs as the programs
// it starts split theirs; a double-quoted stretch, spaces and all, belongs
// to its word, without the quotes. (A string stream would split it too, at
// the price of the whole locale machinery in the hook DLL.)
std::vector<std::wstring> CommandLineWords(const std::wstring& commandLine);
