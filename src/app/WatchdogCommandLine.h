#pragma once
// The command line that turns the program into the watchdog of a lock: the
// lock's process and its lockdown record, as handle values the watchdog
// inherits. Any other command line runs a lock, as before.
#include <cstdint>
#include <optional>
#include <string>

struct WatchdogHandles {
    std::uint64_t process = 0;  // the lock's process, for waiting on
    std::uint64_t state = 0;    // the file mapping that holds its LockdownState
};

// What follows the program's name.
std::wstring WatchdogArguments(const WatchdogHandles& handles);

// The handles of a watchdog's command line, the program's name first; zero
// handles when the watchdog's word is there but its numbers are not, which
// still is no lock. Nothing for a lock's command line.
std::optional<WatchdogHandles> WatchdogHandlesIn(const std::wstring& commandLine);
