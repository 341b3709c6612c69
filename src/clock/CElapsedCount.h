#pragma once
// The count and text of the elapsed-time display, the only state its timer
// thread shares with the window's thread. Every member is used under one
// lock; the timer thread never touches the window's own copy of the text,
// it leaves each new text here for the window's thread to take.
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

class CElapsedCount {
public:
    // Times are readings of a monotonic clock running at `frequency` units
    // per second.
    explicit CElapsedCount(std::int64_t frequency) : m_nFrequency(frequency) {}

    // Changes the mode and drops any text of the old one still waiting.
    void SetMode(int mode);
    // Counts from `now`; does nothing while counting.
    void Start(std::int64_t now);
    // Ends counting and zeroes the count. Once this has returned, Tick
    // changes nothing until the next Start.
    void Stop();

    // One timer tick at `now`: the count becomes the time since Start, so
    // late or skipped ticks cost no accuracy. True when a new text is ready
    // and the window has not been told of one yet, i.e. when it must be.
    bool Tick(std::int64_t now);
    // Telling the window failed: the next tick that brings a text tries
    // again, else the window would wait for word that never comes.
    void NotTold();
    // The newest text the window has not taken yet.
    std::optional<std::wstring> TakeText();

    std::uint32_t Ticks() const;

private:
    const std::int64_t m_nFrequency;
    mutable std::mutex m_lock;
    int m_nMode = 1;
    bool m_bRunning = false;
    std::int64_t m_nStartTime = 0;
    std::uint32_t m_nTicks = 0;
    std::wstring m_strText;  // the newest text a tick formatted
    bool m_bTextWaiting = false;
    bool m_bWindowTold = false;  // a word to the window is on its way
};
