#pragma once
// The elapsed-time display's modes: how long a tick is and how a count of
// ticks reads. Any other mode ticks in tenths and has no text of its own.
#include <cstdint>
#include <optional>
#include <string>

enum ElapsedMode : int {
    kElapsedSeconds = 0,     // "MM:SS", ticks of a tenth of a second
    kElapsedTenths = 1,      // "MM:SS.t", from the first hour "HH:MM:SS.t" (the lock's clock)
    kElapsedHundredths = 2,  // "MM:SS.hh"
};

// Length of one tick, which is also the period of the clock's timer.
int TickPeriodMs(int mode);

// The text of a count, or nothing for a mode without texts.
std::optional<std::wstring> FormatElapsedTime(int mode, std::uint32_t ticks);

// What the display shows before the first tick.
std::wstring ResetText(int mode);

// The count after `elapsed` units of a clock running at `frequency` units
// per second, to the nearest tick, starting again from 0 every 24 hours.
std::uint32_t TicksAfter(std::int64_t elapsed, std::int64_t frequency, int mode);

// The timer resolution to ask for, given the timer service's range of
// periods: five times the finest period it offers.
unsigned TimerResolution(unsigned minPeriod, unsigned maxPeriod);
