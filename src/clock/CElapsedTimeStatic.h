#pragma once
// The lock's clock: a segment display counting the time since Start, in
// tenths of a second by default, ticking on a periodic multimedia timer.
//
// The timer callback runs on the timer service's thread. It only touches
// m_count (under its lock) and posts a message when a new text is waiting;
// the window's thread takes the text from m_count and shows it. The timer
// is created with TIME_KILL_SYNCHRONOUS, so once Stop or the window's
// destruction has killed it, no callback is running or will run.
//
// The message goes to a message-only window of the control's own, with a
// procedure of its own: through the control itself, each tick would pass
// the control's subclass chain, which under Wine asks the wineserver twice
// where it is.
#include <cstdint>

#include "clock/CElapsedCount.h"
#include "clock/CSegmentDisplay.h"
#include "clock/ElapsedTimeFormat.h"

class CElapsedTimeStatic : public CSegmentDisplay {
public:
    CElapsedTimeStatic();
    ~CElapsedTimeStatic() override;

    // One of the ElapsedMode values; shows the mode's zero. The timer period of the mode applies from the next Start.
    void SetMode(int mode);
    // Counts from zero, or on while already counting. Needs a window and a mode.
    void Start();
    // Zeroes the count; the display keeps the last text shown.
    void Stop();

    DECLARE_MESSAGE_MAP()

private:
    static void CALLBACK TimerProc(UINT id, UINT message, DWORD_PTR user, DWORD_PTR, DWORD_PTR);
    static LRESULT CALLBACK TickWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnTick();
    void OnTextReady();
    void OnDestroy();

    void KillTickTimer();
    void DestroyTickWindow();
    void EndTimerPeriod();
    static std::int64_t Now();

    int m_nInterval = 0;  // timer period in ms
    CElapsedCount m_count;
    // Five of the usual 1 ms periods, unless the timer service says otherwise.
    UINT m_uResolution = 5;
    bool m_bPeriodBegun = false;
    UINT m_uTimerId = 0;
    HWND m_hTicks = nullptr;  // told of each new text; made by Start
};
