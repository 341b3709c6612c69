#include "app/guard/CLockGuard.h"

#include <vector>

#include "framework/ForgedMessageFilter.h"
#include "framework/User32Function.h"

namespace {

// The system's class of menu windows, "#32768".
const DWORD kMenuClassAtom = 32768;

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM monitors) {
    reinterpret_cast<std::vector<ScreenRect>*>(monitors)->push_back(
        {rect->left, rect->top, rect->right, rect->bottom});
    return TRUE;
}

// The monitors, from one question to the system: under Wine every question
// about the displays costs calls to the wineserver.
std::vector<ScreenRect> Monitors() {
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty())
        monitors.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    return monitors;
}

// The guard watching for window events; there is one lock per process.
CLockGuard* g_watching = nullptr;

// Windows 8's events of cloaking, which the headers name only for builds
// meant for it: earlier systems send none.
const DWORD kEventCloaked = 0x8017, kEventUncloaked = 0x8018;

// Window events that may mean something got in front of the lock: the
// foreground taken, a window created, shown or raised, and a window cloaked
// or uncloaked (the lock left on another virtual desktop).
const DWORD kWatchedEvents[][2] = {
    {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND},
    {EVENT_OBJECT_CREATE, EVENT_OBJECT_REORDER},
    {kEventCloaked, kEventUncloaked},
};

// A window of another program put back behind the lock may come forward
// again as the system finishes what raised it (under X the display's news
// of the focus comes late, and no event says so): the guard looks again
// this soon after, once. A program that keeps coming forward is met by
// the events and the checks; a look after every look would only hand the
// foreground to and fro more often, and a key let through while the lock
// held it may reach the other program once it is back.
const UINT kLookAgainMs = 100;

// The layered-window calls, looked up at run time: systems without them
// keep an opaque window.
using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
using GetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF*, BYTE*, DWORD*);
const SetLayeredFn kSetLayered = User32Function<SetLayeredFn>("SetLayeredWindowAttributes");
const GetLayeredFn kGetLayered = User32Function<GetLayeredFn>("GetLayeredWindowAttributes");

// The alpha a layered window shows; none (0) when it has a colour key or
// no constant alpha, or the system cannot say.
BYTE ShownAlpha(HWND window, BYTE kept) {
    if (!kGetLayered) return kept;  // nothing to compare: nothing to mend
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!kGetLayered(window, nullptr, &alpha, &flags) || flags != LWA_ALPHA) return 0;
    return alpha;
}

}  // namespace

void CLockGuard::Hold(HWND lock) {
    m_hLock = lock;
    CoverScreens();
    m_bHolding = true;
}

void CLockGuard::Release() {
    m_bHolding = false;
    m_eventHooks.clear();
    if (m_lookAgain) KillTimer(nullptr, m_lookAgain);
    m_lookAgain = 0;
    if (g_watching == this) g_watching = nullptr;
}

void CLockGuard::WatchEvents(UINT message) {
    m_nCheckMessage = message;
    g_watching = this;
    // Out of context: the system queues the events to this thread, whose
    // loops (ours or the system's) hand them over. The lock's own changes
    // are the guard's or are heard of by the lock window itself.
    for (const auto& range : kWatchedEvents) {
        if (HWINEVENTHOOK hook = SetWinEventHook(range[0], range[1], nullptr, &CLockGuard::OnWindowEvent, 0, 0,
                                                  WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS))
            m_eventHooks.emplace_back(hook);
    }
}

void CALLBACK CLockGuard::OnWindowEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                                        DWORD) {
    // Only a top-level window can come in front of the lock; a control
    // changing inside another program's window cannot.
    if (!g_watching || object != OBJID_WINDOW || child != CHILDID_SELF || !window ||
        GetAncestor(window, GA_PARENT) != GetDesktopWindow())
        return;
    // Another program's change is looked at even when it comes in while the
    // guard mends: the events are handed over inside the guard's own calls,
    // and the check under way may already have looked at that window.
    g_watching->PostCheck();
}

void CLockGuard::CheckSoon() {
    if (!m_bMending) PostCheck();
}

void CLockGuard::PostCheck() {
    if (!m_bHolding || m_bCheckPosted || !m_nCheckMessage) return;
    m_bCheckPosted = PostMessageW(m_hLock, m_nCheckMessage, 0, 0) != FALSE;
}

// A thread timer: its number is the system's, apart from the lock
// window's own timers.
void CLockGuard::LookAgainSoon() {
    if (!m_lookAgain) m_lookAgain = SetTimer(nullptr, 0, kLookAgainMs, &CLockGuard::OnLookAgain);
}

void CALLBACK CLockGuard::OnLookAgain(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    CLockGuard* guard = g_watching;
    if (!guard) return;
    guard->m_lookAgain = 0;
    if (!guard->m_bHolding) return;
    guard->m_bMending = true;
    guard->KeepInFront();
    guard->m_bMending = false;
}

void CLockGuard::CoverScreens() {
    Cover(Monitors());
}

void CLockGuard::Cover(const std::vector<ScreenRect>& monitors) {
    m_monitors = monitors;
    m_rcCover = LockWindowRect(monitors);
    SetWindowPos(m_hLock, nullptr, m_rcCover.left, m_rcCover.top, m_rcCover.Width(), m_rcCover.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CLockGuard::SetAlpha(std::uint8_t alpha) {
    m_nAlpha = alpha;
    m_nExStyle = GetWindowLongW(m_hLock, GWL_EXSTYLE) & ~WS_EX_TOPMOST;
    if (kSetLayered) kSetLayered(m_hLock, 0, alpha, LWA_ALPHA);
}

void CLockGuard::Pin(WINDOWPOS* change) const {
    if (!m_bHolding) return;
    const PlaceChange pinned =
        PinnedChange({change->x, change->y, change->cx, change->cy, change->flags}, m_rcCover);
    change->x = pinned.x;
    change->y = pinned.y;
    change->cx = pinned.cx;
    change->cy = pinned.cy;
    change->flags = pinned.flags;
    // Any place below the topmost windows becomes the top of them. A place
    // among them is left alone: the system keeps the windows the lock owns
    // above it that way, and the check puts other programs' windows back.
    if (change->flags & SWP_NOZORDER) return;
    HWND after = change->hwndInsertAfter;
    const bool staysTopmost = after == HWND_TOPMOST || after == HWND_TOP ||
                              (after != HWND_BOTTOM && after != HWND_NOTOPMOST &&
                               (GetWindowLongW(after, GWL_EXSTYLE) & WS_EX_TOPMOST));
    if (!staysTopmost) change->hwndInsertAfter = HWND_TOPMOST;
}

bool CLockGuard::Check() {
    m_bCheckPosted = false;
    if (!m_bHolding) return false;
    m_bMending = true;
    const std::vector<ScreenRect> monitors = Monitors();
    const bool changed = monitors != m_monitors;
    if (changed) Cover(monitors);
    Mend();
    if (KeepInFront()) LookAgainSoon();
    m_bMending = false;
    return changed;
}

bool CLockGuard::CheckUnannounced() {
    if (!m_bHolding) return false;
    m_bMending = true;
    const std::vector<ScreenRect> monitors = Monitors();
    const bool changed = monitors != m_monitors;
    if (changed) Cover(monitors);
    if (ShownAlpha(m_hLock, m_nAlpha) != m_nAlpha) SetAlpha(m_nAlpha);
    m_bMending = false;
    return changed;
}

// What got past the pin (a minimise, a change that skipped asking, a new
// extended style or alpha set from outside, a switch to another virtual
// desktop, which leaves the lock cloaked behind) is undone.
void CLockGuard::Mend() {
    RECT now;
    GetWindowRect(m_hLock, &now);
    const LONG exStyle = GetWindowLongW(m_hLock, GWL_EXSTYLE);
    // Windows keeps the windows of the desktops the user does not see
    // cloaked, so only a cloaked lock can be on one of them: the desktops,
    // COM and a call into the shell, are asked about it then only.
    const bool cloaked = m_cloaking.IsCloaked(m_hLock);
    // COM waits for the shell's answer in a loop of its own.
    std::optional<ForgedMessageFilter> comLoop;
    if (cloaked) comLoop.emplace();
    const CoverState state{{now.left, now.top, now.right, now.bottom},
                           IsWindowVisible(m_hLock) != FALSE,
                           IsIconic(m_hLock) != FALSE,
                           (exStyle & WS_EX_TOPMOST) != 0,
                           (exStyle & ~WS_EX_TOPMOST) == m_nExStyle,
                           ShownAlpha(m_hLock, m_nAlpha),
                           cloaked,
                           cloaked ? Desktops().PlaceOf(m_hLock) : DesktopPlace::unknown};
    const CoverRepairs repairs = RepairsFor(state, m_rcCover, m_nAlpha);
    if (!repairs.Any()) return;
    if (repairs.restore) ShowWindow(m_hLock, SW_RESTORE);
    BringToCurrentDesktop(repairs.desktop);
    if (repairs.show) ShowWindow(m_hLock, SW_SHOWNA);
    if (repairs.exStyle) SetWindowLongW(m_hLock, GWL_EXSTYLE, m_nExStyle | (exStyle & WS_EX_TOPMOST));
    if (repairs.alpha) SetAlpha(m_nAlpha);
    if (repairs.place || repairs.topmost)
        SetWindowPos(m_hLock, HWND_TOPMOST, m_rcCover.left, m_rcCover.top, m_rcCover.Width(), m_rcCover.Height(),
                     SWP_NOACTIVATE);
}

// Made on the lock window's thread, which has COM from then on for the rest
// of the lock; made once, so a system without virtual desktops is not asked
// again.
CVirtualDesktops& CLockGuard::Desktops() {
    if (!m_desktops) m_desktops.emplace();
    return *m_desktops;
}

// The lock left behind on another virtual desktop goes to the one the user
// sees, where the foreground window is unless it is one of ours, left
// behind with the lock. Failing that, it is hidden and shown again, which
// Windows does on the desktop the user sees; the pin, which keeps it from
// hiding, stands aside for that moment.
void CLockGuard::BringToCurrentDesktop(DesktopRepair repair) {
    if (repair == DesktopRepair::none) return;
    if (repair == DesktopRepair::move) {
        HWND there = GetForegroundWindow();
        if (GetWindowThreadProcessId(there, nullptr) != GetCurrentThreadId() &&
            Desktops().MoveToDesktopOf(m_hLock, there))
            return;
    }
    m_bHolding = false;
    ShowWindow(m_hLock, SW_HIDE);
    m_bHolding = true;
    ShowWindow(m_hLock, SW_SHOWNA);
}

// Another program's window over the lock, or holding the keyboard, is put
// back behind it: the lock and the windows it owns stay topmost, in their
// order, and the one of them that takes input gets the foreground again.
// An open menu keeps its place: giving it the foreground would close it.
// True when it put something back.
bool CLockGuard::KeepInFront() {
    const DWORD thread = GetCurrentThreadId();
    std::vector<HWND> ours;  // our visible windows, topmost first
    bool covered = false;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsWindowVisible(w)) continue;
        if (GetWindowThreadProcessId(w, nullptr) == thread) ours.push_back(w);
        else covered = true;
        if (w == m_hLock) break;
    }
    HWND input = nullptr;
    for (HWND w : ours) {
        if (IsWindowEnabled(w) && GetClassLongW(w, GCW_ATOM) != kMenuClassAtom) {
            input = w;
            break;
        }
    }
    if (covered) {
        for (auto w = ours.rbegin(); w != ours.rend(); ++w)
            SetWindowPos(*w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    HWND foreground = GetForegroundWindow();
    const bool taken = input && (covered || !foreground || GetWindowThreadProcessId(foreground, nullptr) != thread);
    if (taken) SetForegroundWindow(input);
    return covered || taken;
}
