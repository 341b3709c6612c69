#include "clock/ElapsedTimeFormat.h"

#include <algorithm>
#include <cstdio>

namespace {
std::wstring Widen(const char* text) {
    return std::wstring(text, text + std::char_traits<char>::length(text));
}
}  // namespace

int TickPeriodMs(int mode) {
    return mode == kElapsedHundredths ? 10 : 100;
}

std::optional<std::wstring> FormatElapsedTime(int mode, std::uint32_t ticks) {
    char text[32];
    switch (mode) {
    case kElapsedSeconds:
        std::snprintf(text, sizeof text, "%02u:%02u", ticks / 600, ticks % 600 / 10);
        break;
    case kElapsedTenths: {
        const std::uint32_t minutes = ticks / 600;
        const std::uint32_t hours = minutes / 60;
        const std::uint32_t seconds = (ticks - 600 * minutes) / 10;
        if (hours == 0)
            std::snprintf(text, sizeof text, "%02u:%02u.%01u", minutes, seconds, ticks % 10);
        else
            std::snprintf(text, sizeof text, "%02u:%02u:%02u.%01u", hours, minutes - 60 * hours,
                          seconds, ticks % 10);
        break;
    }
    case kElapsedHundredths:
        std::snprintf(text, sizeof text, "%02u:%02u.%02u", ticks / 6000, ticks % 6000 / 100,
                      ticks % 100);
        break;
    default:
        return std::nullopt;
    }
    return Widen(text);
}

std::wstring ResetText(int mode) {
    return FormatElapsedTime(mode, 0).value_or(L"00:00.0");
}

std::uint32_t TicksAfter(std::int64_t elapsed, std::int64_t frequency, int mode) {
    const std::int64_t perSecond = 1000 / TickPeriodMs(mode);
    elapsed = std::max<std::int64_t>(elapsed, 0);
    // Whole seconds apart from the rest, so that no product overflows
    // however long the clock runs.
    const std::int64_t ticks = elapsed / frequency * perSecond +
                               (elapsed % frequency * perSecond + frequency / 2) / frequency;
    return static_cast<std::uint32_t>(ticks % (86400 * perSecond));
}

unsigned TimerResolution(unsigned minPeriod, unsigned maxPeriod) {
    unsigned period = std::max(minPeriod, 1u);
    if (period >= maxPeriod) period = maxPeriod;
    return 5 * period;
}
