#include "app/lock/CLockDlg.h"

#include "app/config/BackgroundMode.h"
#include "app/lock/CUnlockDlg.h"
#include "app/config/ConfigFile.h"
#include "app/guard/LockGuardRules.h"
#include "app/lockdown/Lockdown.h"
#include "app/system/ModulePath.h"
#include "app/dialogs/PasswordText.h"
#include "app/dialogs/PrimaryPlacement.h"
#include "app/lockdown/Watchdog.h"
#include "app/lock/LockFace.h"
#include "app/lock/Shutdown.h"
#include "framework/ForgedMessageFilter.h"
#include "res/resource.h"
#include "settings/CSettingsDlg.h"

namespace {

const UINT_PTR kSettingsTimer = 1;
// The guard checks when told something may have got past, and this often
// what nothing announces (CLockGuard.h). The timer calls its procedure
// straight from the loop: under Wine a message through the window's
// subclass chain costs calls to the wineserver.
const UINT_PTR kGuardTimer = 2;
const UINT kGuardCheckMs = 500;
// Every this many checks (2 s), the whole check runs instead, with a search
// for taskbars (a restarted shell, a new monitor): the net for a window
// event the system did not send.
const unsigned kWholeCheckEvery = 4;
// Windows ends the process right after the end of the session. A lock
// still running this long after it was told of one locks down again.
const UINT_PTR kRearmTimer = 4;
const UINT kRearmMs = 2000;
// Posted by the guard: something may have got past it.
const UINT kCheckMessage = WM_APP + 1;
// Posted to itself at the end of OnInitDialog: what the lock needs, but not
// before it covers the screens, is done once it does.
const UINT kFinishStartMessage = WM_APP + 2;
const COLORREF kUnlit = RGB(0, 0, 0);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kWhite = RGB(255, 255, 255);

// The system says so while the session really ends. The shutdown the lock
// asked for itself counts too: not every system says so.
bool SessionIsEnding() {
    return GetSystemMetrics(SM_SHUTTINGDOWN) != 0 || ShutdownRequested();
}

}  // namespace

BEGIN_MESSAGE_MAP(CLockDlg, CDialog)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_QUERYDRAGICON, OnQueryDragIcon)
    ON_COMMAND(IDC_LOCK, OnButtonLock)
    ON_COMMAND(IDC_UNLOCK, OnButtonUnlock)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
    ON_MESSAGE(WM_TIMER, OnTimer)
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_MESSAGE(WM_DPICHANGED, OnDisplayChange)
    ON_MESSAGE(WM_CLOSE, OnClose)
    ON_MESSAGE(WM_SYSCOMMAND, OnSysCommand)
    ON_MESSAGE(WM_WINDOWPOSCHANGING, OnWindowPosChanging)
    ON_MESSAGE(WM_WINDOWPOSCHANGED, OnChangeHeardOf)
    ON_MESSAGE(WM_STYLECHANGED, OnChangeHeardOf)
    ON_MESSAGE(WM_ACTIVATEAPP, OnChangeHeardOf)
    ON_MESSAGE(kCheckMessage, OnCheckNow)
    ON_MESSAGE(kFinishStartMessage, OnFinishStart)
    ON_MESSAGE(WM_QUERYENDSESSION, OnQueryEndSession)
    ON_MESSAGE(WM_ENDSESSION, OnEndSession)
    ON_MESSAGE(WM_ACTIVATE, OnActivate)
    // The launch keys (mail, browser, calculator) start nothing while locked.
    ON_MESSAGE_RESULT(WM_APPCOMMAND, TRUE)
END_MESSAGE_MAP()

CLockDlg::CLockDlg()
    : CBackgroundDlg(IDD_LOCK, nullptr),
      m_crLit(kYellow),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN))) {}

CLockDlg::~CLockDlg() {
    WipeText(m_strPassword);
}

void CLockDlg::DoDataExchange() {
    m_ctlTime.SubclassDlgItem(IDC_TIME, this);
}

// In the order that covers the screens soonest without leaving a gap: the
// watchdog is being started meanwhile (CLockApp), and is waited for before
// anything that outlives the process is taken; the keyboard's and mouse's
// guard, which dies with the process, is taken with them, before the
// window is shown. The icons and the prompt come once the screens are
// covered (OnFinishStart).
BOOL CLockDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    m_strAppDir = DirectoryOf(ModulePath());
    m_strConfigPath = m_strAppDir + L"config.ini";
    const LockOptions options = LoadOptions(m_strConfigPath);
    m_strBgMode = options.bgMode;
    m_bDisableScreenSafe = options.holdOff;
    m_bAllowShutdown = options.allowShutdown;
    m_strMessage = options.message;
    m_bSettingsPending = 1;

    WaitForWatchdog();
    Take(kWhileLocked);
    m_bSystemLocked = true;
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(GetDlgItem(m_hWnd, IDC_LOCK), SW_HIDE);
    ShowWindow(GetDlgItem(m_hWnd, IDC_UNLOCK), SW_HIDE);
    // No caption, no border and no system menu: the window is nothing but
    // its black face, and no menu of its own can close, move or hide it.
    SetWindowLongW(m_hWnd, GWL_STYLE,
                   GetWindowLongW(m_hWnd, GWL_STYLE) & ~(WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    SetWindowLongW(m_hWnd, GWL_EXSTYLE, 0);
    m_guard.Hold(m_hWnd);
    m_guard.WatchEvents(kCheckMessage);

    m_pUnlockDlg = new CUnlockDlg(m_hWnd, &m_strPassword, &m_failedAttempts);

    m_ctlTime.SetMode(kElapsedTenths);
    m_ctlTime.SetColours(kUnlit, m_crLit);
    PlaceClock(m_hWnd, m_ctlTime.m_hWnd);
    SetWindowLongW(m_hWnd, GWL_EXSTYLE, GetWindowLongW(m_hWnd, GWL_EXSTYLE) ^ WS_EX_LAYERED);
    SetWindowAlpha(kStartAlpha);
    SetTimer(m_hWnd, kSettingsTimer, 300, nullptr);
    SetTimer(m_hWnd, kGuardTimer, kGuardCheckMs, &CLockDlg::OnGuardTimer);
    PostMessageW(m_hWnd, kFinishStartMessage, 0, 0);
    return TRUE;
}

void CLockDlg::OnFinishStart() {
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    m_pUnlockDlg->CreateHidden();
}

// A monitor's new resolution or scale: whatever the system would do with
// the window first, it then covers the monitors as they are now.
LRESULT CLockDlg::OnDisplayChange(WPARAM, LPARAM) {
    const LRESULT result = Default();
    m_guard.CoverScreens();
    OnScreensChanged();
    return result;
}

// The cover has been made anew over the monitors as they are now: the
// clock, the message above it and a shown prompt go to the primary
// monitor, wherever it is now.
void CLockDlg::OnScreensChanged() {
    PlaceClock(m_hWnd, m_ctlTime.m_hWnd);
    if (ShowsMessage()) {
        // The message drawn onto the screen itself stays there until the
        // windows under it paint again.
        InvalidateRect(PaintsOnScreen(m_strBgMode) ? nullptr : m_hWnd, nullptr, TRUE);
    }
    if (PromptShown()) CenterOnPrimaryMonitor(m_pUnlockDlg->m_hWnd);
}

BOOL CLockDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        msg->wParam = 0;
    } else if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        msg->wParam = 0;
        m_pUnlockDlg->Show(m_bAllowShutdown != 0);
    } else if (msg->wParam == VK_F4) {
        // Alt+F4 arrives as a system key; without its key code it closes nothing.
        msg->wParam = 0;
    }
    return CDialog::PreTranslateMessage(msg);
}

bool CLockDlg::PromptShown() const {
    return m_pUnlockDlg && m_pUnlockDlg->Shown();
}

// The black screen takes no input: a click on it while the prompt is up
// hands the keyboard back.
LRESULT CLockDlg::OnActivate(WPARAM state, LPARAM) {
    const LRESULT result = Default();
    if (LOWORD(state) != WA_INACTIVE && m_pUnlockDlg) m_pUnlockDlg->TakeTheKeyboardBack();
    return result;
}

void CLockDlg::OnTimer(WPARAM id) {
    switch (id) {
    case kSettingsTimer:
        // Once per run: the settings are asked for on the first tick only,
        // whatever ticks another program may post.
        KillTimer(m_hWnd, kSettingsTimer);
        if (m_bSettingsAsked) return;
        m_bSettingsAsked = true;
        AcceptSettings();
        return;
    case kRearmTimer:
        KillTimer(m_hWnd, kRearmTimer);
        if (!m_bSystemLocked && m_guard.Holding()) LockSystem(true);
        return;
    default: Default();
    }
}

void CALLBACK CLockDlg::OnGuardTimer(HWND lock, UINT, UINT_PTR, DWORD) {
    if (auto* self = static_cast<CLockDlg*>(CWnd::FromHandle(lock))) {
        if (++self->m_nChecks % kWholeCheckEvery == 0) self->Check();
        else if (self->m_guard.CheckUnannounced()) self->OnScreensChanged();
    }
}

void CLockDlg::OnCheckNow() {
    Check();
}

LRESULT CLockDlg::OnChangeHeardOf(WPARAM, LPARAM) {
    const LRESULT result = Default();
    m_guard.CheckSoon();
    return result;
}

// The guard's check, and a search for taskbars: a new one is taken too.
void CLockDlg::Check() {
    if (m_guard.Check()) OnScreensChanged();
    if (m_bSystemLocked) Take(kTaskbars);
}

void CLockDlg::AcceptSettings() {
    // The settings' message boxes and menu run loops of the system's.
    const ForgedMessageFilter systemLoops;
    CSettingsDlg settings;
    settings.m_strAppDir = m_strAppDir;
    settings.m_strBgMode = m_strBgMode;
    settings.m_bDisableScreenSafe = m_bDisableScreenSafe;
    settings.m_bAllowShutdown = m_bAllowShutdown;
    settings.m_strMessage = m_strMessage;
    if (settings.DoModal() != kSettingsAccepted) {
        EndLock(0);
        return;
    }
    m_bSettingsPending = 0;
    RedrawNow();

    WipeText(m_strPassword);
    m_strPassword = settings.m_strPassword;
    m_strBgMode = settings.m_strBgMode;
    m_bDisableScreenSafe = settings.m_bDisableScreenSafe;
    m_bAllowShutdown = settings.m_bAllowShutdown;
    m_strMessage = settings.m_strMessage;
    SaveOptions(m_strConfigPath,
                {m_strBgMode, m_bDisableScreenSafe != 0, m_bAllowShutdown != 0, m_strMessage});
    m_ctlTime.Start();

    const BackgroundStyle style = BackgroundStyleFor(BgModeNumber(m_strBgMode));
    SetWindowAlpha(style.alpha);
    if (style.whiteDigits) {
        m_crLit = kWhite;
        m_ctlTime.SetColours(kUnlit, m_crLit);
    }
    RedrawNow();
    // Once the system is locked down again after an end of the session
    // that did not come, the hold-off begins with it.
    m_bHoldingOff = m_bDisableScreenSafe != 0;
    if (m_bHoldingOff && m_bSystemLocked) Take(kHoldOff);
}

void CLockDlg::OnClose() {
    // Any other close request, from a key, a menu or another program, is
    // not an unlock.
    if (CUnlockDlg::TakeUnlockMark(m_hWnd)) EndLock(kLockUnlocked);
}

LRESULT CLockDlg::OnSysCommand(WPARAM command, LPARAM) {
    return IsAllowedSystemCommand(static_cast<unsigned>(command)) ? Default() : 0;
}

LRESULT CLockDlg::OnWindowPosChanging(WPARAM, LPARAM pos) {
    const LRESULT result = Default();
    m_guard.Pin(reinterpret_cast<WINDOWPOS*>(pos));
    return result;
}

// An update or installer asks programs to close this way: the lock is not
// closed by anyone but its owner. The end of the session is let through.
LRESULT CLockDlg::OnQueryEndSession(WPARAM, LPARAM reason) {
    return (reason & ENDSESSION_CLOSEAPP) ? FALSE : TRUE;
}

// Windows ends the process right after this, without WM_DESTROY: what would
// outlive it is given back now. Only for a real end of the session: any
// program can send the message, and every guard would fall with it.
void CLockDlg::OnEndSession(WPARAM ending) {
    if (!ending || !m_bSystemLocked || !SessionIsEnding()) return;
    LockSystem(false);
    SetTimer(m_hWnd, kRearmTimer, kRearmMs, nullptr);
}

// Takes away, or gives back, what outlives the process while the lock
// window stays.
void CLockDlg::LockSystem(bool on) {
    const Lockdown what = m_bHoldingOff ? kOutlivesTheProcess : kOutlivesTheProcess & ~kHoldOff;
    if (on) Take(what);
    else GiveBack(what);
    m_bSystemLocked = on;
}

void CLockDlg::EndLock(int result) {
    m_guard.Release();
    EndDialog(result);
}

void CLockDlg::RedrawNow() {
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CLockDlg::OnDestroy() {
    Default();
    // Text painted straight onto the screen goes with the window.
    InvalidateRect(nullptr, nullptr, TRUE);
    ReleaseLock();
    delete m_pUnlockDlg;
    m_pUnlockDlg = nullptr;
}

void CLockDlg::ReleaseLock() {
    m_guard.Release();
    KillTimer(m_hWnd, kRearmTimer);
    m_ctlTime.Stop();
    GiveBack(m_bDisableScreenSafe ? kEverything : kWhileLocked);
    m_bSystemLocked = false;
}

void CLockDlg::OnButtonLock() {
    Take(kWhileLocked);
}

void CLockDlg::OnButtonUnlock() {
    // Only the lock's end gives the system back while the screen is held.
    if (!m_guard.Holding()) GiveBack(kWhileLocked);
}

void CLockDlg::SetWindowAlpha(BYTE alpha) {
    m_guard.SetAlpha(alpha);
}

LRESULT CLockDlg::OnQueryDragIcon(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(m_hIcon);
}

void CLockDlg::OnPaint() {
    // Kept for a lock minimised for a moment, until the guard restores it.
    if (IsIconic(m_hWnd)) {
        PaintLockIcon(m_hWnd, m_hIcon);
        return;
    }
    PaintLockFace(m_hWnd, PaintsOnScreen(m_strBgMode) && !m_bSettingsPending,
                  ShowsMessage() ? m_strMessage : std::wstring(), m_crLit);
    Default();
}

// Once the lock has begun, and only with a message: without one the
// screen outside the clock stays black.
bool CLockDlg::ShowsMessage() const {
    return !m_strMessage.empty() && !m_bSettingsPending;
}
