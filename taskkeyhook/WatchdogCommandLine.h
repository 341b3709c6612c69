#pragma once
// The command lines that run a lock's watchdog from the hook DLL through
// the system's rundll32: the lock's process and its lockdown record, as
// handle values the watchdog inherits.
#include <cstdint>
#include <optional>
#include <string>

struct WatchdogHandles {
    std::uint64_t process = 0;  // the lock's process, for waiting on
    std::uint64_t state = 0;    // the file mapping that holds its LockdownState
};

// rundll32 running `entry` of `dll` (its wide-character variant, with W
// appended) with the handles as its arguments.
std::wstring WatchdogCommandLine(const std::wstring& rundll32, const std::wstring& dll, const wchar_t* entry,
                                 const WatchdogHandles& handles);

// The handles in the arguments rundll32 hands an entry: exactly two
// decimal numbers, else nothing.
std::optional<WatchdogHandles> WatchdogHandlesIn(const std::wstring& arguments);
