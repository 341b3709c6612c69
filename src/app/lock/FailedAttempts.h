#pragma once
// The entries the unlock prompt refused while locked, and what the owner is
// told of them after the unlock. Kept in memory only: nothing of it is
// written anywhere, and nothing of what was typed is kept.
#include <string>

struct FailedAttempts {
    unsigned count = 0;
    // The local time of the last one.
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0;

    // One more refused entry, at this local time.
    void Add(unsigned atHour, unsigned atMinute, unsigned atSecond);
};

// How many there were and when the last one was, as HH:MM:SS; empty when
// there was none, and the owner is told nothing.
std::wstring FailedAttemptsReport(const FailedAttempts& attempts);
