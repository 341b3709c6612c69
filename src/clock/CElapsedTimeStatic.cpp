#include "clock/CElapsedTimeStatic.h"

#include <mmsystem.h>

#include "clock/ElapsedTimeFormat.h"

namespace {
// Posted by the timer thread when a new text is waiting in the count.
constexpr UINT kTextReadyMessage = WM_APP;

std::int64_t PerformanceFrequency() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}
}  // namespace

BEGIN_MESSAGE_MAP(CElapsedTimeStatic, CSegmentDisplay)
    ON_MESSAGE(kTextReadyMessage, OnTextReady)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
END_MESSAGE_MAP()

CElapsedTimeStatic::CElapsedTimeStatic() : m_count(PerformanceFrequency()) {
    m_strText.clear();
    TIMECAPS caps;
    if (timeGetDevCaps(&caps, sizeof caps) != TIMERR_NOERROR) return;
    m_uResolution = TimerResolution(caps.wPeriodMin, caps.wPeriodMax);
    m_bPeriodBegun = timeBeginPeriod(m_uResolution) == TIMERR_NOERROR;
}

CElapsedTimeStatic::~CElapsedTimeStatic() {
    // Before any member goes: the callback uses this object.
    KillTickTimer();
    EndTimerPeriod();
}

void CElapsedTimeStatic::SetMode(int mode) {
    m_count.SetMode(mode);
    m_nInterval = TickPeriodMs(mode);
    SetText(ResetText(mode));
}

void CElapsedTimeStatic::Start() {
    // Ticks post to the window, so there must be one.
    if (m_uTimerId || !m_hWnd) return;
    // The count runs before the timer does, so the first tick counts.
    m_count.Start(Now());
    m_uTimerId = timeSetEvent(m_nInterval, m_uResolution, &CElapsedTimeStatic::TimerProc,
                              reinterpret_cast<DWORD_PTR>(this),
                              TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
    if (!m_uTimerId) m_count.Stop();
}

void CElapsedTimeStatic::Stop() {
    // From here on a tick changes nothing; once the timer is killed none runs.
    m_count.Stop();
    KillTickTimer();
    // A text the last tick left behind is the one to keep showing.
    if (auto text = m_count.TakeText()) SetText(*text);
}

void CALLBACK CElapsedTimeStatic::TimerProc(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    reinterpret_cast<CElapsedTimeStatic*>(user)->OnTick();
}

void CElapsedTimeStatic::OnTick() {
    // m_hWnd is set before Start and cleared only after the timer is killed.
    if (m_count.Tick(Now()) && !PostMessageW(m_hWnd, kTextReadyMessage, 0, 0)) m_count.NotTold();
}

LRESULT CElapsedTimeStatic::OnTextReady(WPARAM, LPARAM) {
    if (auto text = m_count.TakeText()) SetText(*text);
    return 0;
}

void CElapsedTimeStatic::OnDestroy() {
    Default();
    Stop();
    EndTimerPeriod();
}

void CElapsedTimeStatic::KillTickTimer() {
    if (!m_uTimerId) return;
    timeKillEvent(m_uTimerId);
    m_uTimerId = 0;
}

void CElapsedTimeStatic::EndTimerPeriod() {
    if (!m_bPeriodBegun) return;
    timeEndPeriod(m_uResolution);
    m_bPeriodBegun = false;
}

std::int64_t CElapsedTimeStatic::Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}
