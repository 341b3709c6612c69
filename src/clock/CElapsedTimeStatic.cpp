#include "clock/CElapsedTimeStatic.h"

#include <mmsystem.h>

#include "clock/ElapsedTimeFormat.h"

namespace {
// Posted by the timer thread when a new text is waiting in the count.
constexpr UINT kTextReadyMessage = WM_APP;
const wchar_t kTickWindowClass[] = L"QuilmarClockTicks";

std::int64_t PerformanceFrequency() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}
}  // namespace

BEGIN_MESSAGE_MAP(CElapsedTimeStatic, CSegmentDisplay)
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
    DestroyTickWindow();
    EndTimerPeriod();
}

void CElapsedTimeStatic::SetMode(int mode) {
    m_count.SetMode(mode);
    m_nInterval = TickPeriodMs(mode);
    SetText(ResetText(mode));
}

void CElapsedTimeStatic::Start() {
    // Ticks show on the window, so there must be one.
    if (m_uTimerId || !m_hWnd) return;
    static const ATOM tickClass = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = &CElapsedTimeStatic::TickWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kTickWindowClass;
        return RegisterClassW(&windowClass);
    }();
    if (!m_hTicks && tickClass)
        m_hTicks = CreateWindowExW(0, kTickWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    if (!m_hTicks) return;
    SetWindowLongPtrW(m_hTicks, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
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
    DestroyTickWindow();
    // A text the last tick left behind is the one to keep showing.
    if (auto text = m_count.TakeText()) SetText(*text);
}

void CALLBACK CElapsedTimeStatic::TimerProc(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    reinterpret_cast<CElapsedTimeStatic*>(user)->OnTick();
}

void CElapsedTimeStatic::OnTick() {
    // m_hTicks is made before the timer starts and goes only after it is killed.
    if (m_count.Tick(Now()) && !PostMessageW(m_hTicks, kTextReadyMessage, 0, 0)) m_count.NotTold();
}

LRESULT CALLBACK CElapsedTimeStatic::TickWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kTextReadyMessage) return ::DefWindowProcW(window, message, wParam, lParam);
    if (auto* clock = reinterpret_cast<CElapsedTimeStatic*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
        clock->OnTextReady();
    return 0;
}

void CElapsedTimeStatic::OnTextReady() {
    if (auto text = m_count.TakeText()) SetText(*text);
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

void CElapsedTimeStatic::DestroyTickWindow() {
    if (!m_hTicks) return;
    ::DestroyWindow(m_hTicks);
    m_hTicks = nullptr;
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
