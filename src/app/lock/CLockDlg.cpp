#include "app/lock/CLockDlg.h"

#include "app/config/BackgroundMode.h"
#include "app/config/ConfigFile.h"
#include "app/dialogs/PasswordText.h"
#include "app/dialogs/PrimaryPlacement.h"
#include "app/lock/CUnlockDlg.h"
#include "app/lock/LockFace.h"
#include "app/lock/Shutdown.h"
#include "app/lockdown/Lockdown.h"
#include "app/lockdown/Watchdog.h"
#include "app/system/ModulePath.h"
#include "framework/ForgedMessageFilter.h"
#include "res/resource.h"
#include "settings/CSettingsDlg.h"

namespace {

const UINT_PTR kSettingsTimer = 1;
// The guard checks when told something may have got past, and this often
// what nothing announces (CLockGuard.h), by a timer procedure: under Wine a
// message through the window's subclass chain costs wineserver calls.
const UINT_PTR kGuardTimer = 2;
const UINT kGuardCheckMs = 500;
// Every this many checks (2 s), the whole check runs instead, with a search
// for taskbars (a restarted shell, a new monitor): the net for a window
// event the system did not send.
const unsigned kWholeCheckEvery = 4;
// Windows ends the process right after the end of the session. A lock
// still running this long after it was told of one takes everything again.
const UINT_PTR kSessionGoesOnTimer = 4;
const UINT kSessionGoesOnMs = 2000;
const UINT kCheckMessage = WM_APP;  // posted by the guard: something may have got past it
const UINT kFinishStartMessage = WM_APP + 1;  // posted to itself once the screens are covered
const UINT kRedrawNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
const COLORREF kUnlit = RGB(0, 0, 0), kYellow = RGB(255, 255, 0), kWhite = RGB(255, 255, 255);

}  // namespace

BEGIN_MESSAGE_MAP(CLockDlg, CBackgroundDlg)
    ON_MESSAGE(kFinishStartMessage, OnFinishStart)
    ON_TYPED(WM_TIMER, OnTimer)
    ON_MESSAGE(kCheckMessage, OnCheckNow)
    ON_TYPED(WM_WINDOWPOSCHANGING, OnWindowPosChanging)
    ON_MESSAGE(WM_WINDOWPOSCHANGED, OnChangeHeardOf)
    ON_MESSAGE(WM_STYLECHANGED, OnChangeHeardOf)
    ON_MESSAGE(WM_ACTIVATEAPP, OnChangeHeardOf)
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_MESSAGE(WM_DPICHANGED, OnDisplayChange)
    ON_TYPED(WM_SYSCOMMAND, OnSysCommand)
    ON_TYPED(WM_QUERYENDSESSION, OnQueryEndSession)
    ON_TYPED(WM_ENDSESSION, OnEndSession)
    ON_TYPED(WM_ACTIVATE, OnActivate)
    ON_MESSAGE(WM_CLOSE, OnClose)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
    ON_COMMAND(IDC_LOCK, OnButtonLock)
    ON_COMMAND(IDC_UNLOCK, OnButtonUnlock)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_TYPED(WM_QUERYDRAGICON, OnQueryDragIcon)
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

bool CLockDlg::Go(LockEvent event) {
    const LockStep step = m_phase.On(event);
    GiveBack(step.giveBack);
    Take(step.take);
    return step.moved;
}

// In the order that covers the screens soonest without leaving a gap; the
// icons and the prompt's window come once they are covered.
BOOL CLockDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ReadOptions();
    PrepareThePrompt();
    TakeTheSystem();
    CoverTheScreens();
    SetUpTheClock();
    SetTimer(m_hWnd, kSettingsTimer, 300, nullptr);
    SetTimer(m_hWnd, kGuardTimer, kGuardCheckMs, &CLockDlg::OnGuardTimer);
    PostMessageW(m_hWnd, kFinishStartMessage, 0, 0);
    return TRUE;
}

// As config.ini has them, or its defaults: the settings start from them.
void CLockDlg::ReadOptions() {
    m_strAppDir = DirectoryOf(ModulePath());
    m_strConfigPath = m_strAppDir + L"config.ini";
    m_options = LoadOptions(m_strConfigPath);
}

// The prompt's object, there for every handler from now on; its window is
// made once the screens are covered.
void CLockDlg::PrepareThePrompt() {
    m_pUnlockDlg = new CUnlockDlg(m_hWnd, &m_strPassword, &m_failedAttempts);
}

// Once the watchdog (started meanwhile by CLockApp) is up to give back what
// a lock killed by force took; the keyboard's and mouse's guard comes too.
void CLockDlg::TakeTheSystem() {
    WaitForWatchdog();
    Go(LockEvent::start);
}

// Topmost over every monitor from now on, whoever moves, hides or covers
// it, and nothing but its veiled black face: no caption, border or system
// menu of its own can close, move or hide it.
void CLockDlg::CoverTheScreens() {
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // Hidden, not gone: their commands are kept (OnButtonLock).
    ShowWindow(GetDlgItem(m_hWnd, IDC_LOCK), SW_HIDE);
    ShowWindow(GetDlgItem(m_hWnd, IDC_UNLOCK), SW_HIDE);
    SetWindowLongW(m_hWnd, GWL_STYLE,
                   GetWindowLongW(m_hWnd, GWL_STYLE) & ~(WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    SetWindowLongW(m_hWnd, GWL_EXSTYLE, WS_EX_LAYERED);
    m_guard.Hold(m_hWnd);
    m_guard.WatchEvents(kCheckMessage);
    m_guard.SetAlpha(kStartAlpha);
}

// Tenths of a second, below the middle of the primary monitor; the count
// starts with the settings accepted.
void CLockDlg::SetUpTheClock() {
    m_ctlTime.SetMode(kElapsedTenths);
    m_ctlTime.SetColours(kUnlit, m_crLit);
    PlaceClock(m_hWnd, GetDlgItem(m_hWnd, IDC_TIME));
}

void CLockDlg::OnFinishStart() {
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    m_pUnlockDlg->CreateHidden();
}

void CLockDlg::OnTimer(UINT_PTR id) {
    switch (id) {
    case kSettingsTimer:
        // Once per lock, whatever ticks another program may post.
        KillTimer(m_hWnd, kSettingsTimer);
        if (Go(LockEvent::settingsTick)) AskForSettings();
        return;
    case kSessionGoesOnTimer:
        KillTimer(m_hWnd, kSessionGoesOnTimer);
        Go(LockEvent::sessionGoesOn);
        return;
    default: Default();
    }
}

// The options are copied in and, accepted, back: the lock and the dialog
// share nothing. Refused, they end the lock.
void CLockDlg::AskForSettings() {
    // The settings' message boxes and menu run loops of the system's.
    const ForgedMessageFilter systemLoops;
    CSettingsDlg settings;
    settings.m_strAppDir = m_strAppDir;
    settings.m_strBgMode = m_options.bgMode;
    settings.m_bDisableScreenSafe = m_options.holdOff;
    settings.m_bAllowShutdown = m_options.allowShutdown;
    settings.m_strMessage = m_options.message;
    if (settings.DoModal() != kSettingsAccepted) {
        Go(LockEvent::settingsCancelled);
        EndLock(0);
        return;
    }
    Go(LockEvent::settingsAccepted);
    RedrawWindow(m_hWnd, nullptr, nullptr, kRedrawNow);
    WipeText(m_strPassword);
    m_strPassword = settings.m_strPassword;
    m_options = {settings.m_strBgMode, settings.m_bDisableScreenSafe != 0, settings.m_bAllowShutdown != 0,
                 settings.m_strMessage};
    SaveOptions(m_strConfigPath, m_options);
    m_ctlTime.Start();
    const BackgroundStyle style = BackgroundStyleFor(BgModeNumber(m_options.bgMode));
    m_guard.SetAlpha(style.alpha);
    if (style.whiteDigits) {
        m_crLit = kWhite;
        m_ctlTime.SetColours(kUnlit, m_crLit);
    }
    RedrawWindow(m_hWnd, nullptr, nullptr, kRedrawNow);
    if (m_options.holdOff) Go(LockEvent::holdOffChosen);
}

void CALLBACK CLockDlg::OnGuardTimer(HWND lock, UINT, UINT_PTR, DWORD) {
    if (auto* self = static_cast<CLockDlg*>(CWnd::FromHandle(lock))) {
        if (++self->m_nChecks % kWholeCheckEvery == 0) self->Check();
        else if (self->m_guard.CheckUnannounced()) self->OnScreensChanged();
    }
}

// The guard's check, and a search for taskbars: a new one is taken too.
void CLockDlg::Check() {
    if (m_guard.Check()) OnScreensChanged();
    Go(LockEvent::taskbarSearch);
}

// A monitor's new resolution or scale: whatever the system would do with
// the window first, it then covers the monitors as they are now.
void CLockDlg::OnDisplayChange() {
    Default();
    m_guard.CoverScreens();
    OnScreensChanged();
}

// The cover was made anew over the monitors as they are now: the clock, the
// message above it and a shown prompt go to the primary monitor.
void CLockDlg::OnScreensChanged() {
    PlaceClock(m_hWnd, GetDlgItem(m_hWnd, IDC_TIME));
    // The message drawn onto the screen itself stays there until the
    // windows under it paint again.
    if (ShowsMessage()) InvalidateRect(PaintsOnScreen(m_options.bgMode) ? nullptr : m_hWnd, nullptr, TRUE);
    if (m_pUnlockDlg->Shown()) CenterOnPrimaryMonitor(m_pUnlockDlg->m_hWnd);
}

// Windows ends the process right after this, without WM_DESTROY: what would
// outlive it is given back now. Only for a real end of the session: any
// program can send the message, and every guard would fall with it.
void CLockDlg::OnEndSession(bool ending, UINT) {
    if (ending && SessionIsEnding() && Go(LockEvent::sessionEnds))
        SetTimer(m_hWnd, kSessionGoesOnTimer, kSessionGoesOnMs, nullptr);
}

BOOL CLockDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        msg->wParam = 0;
    } else if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        msg->wParam = 0;
        m_pUnlockDlg->Show(m_options.allowShutdown);
    } else if (msg->wParam == VK_F4) {
        // Alt+F4 arrives as a system key; without its key code it closes nothing.
        msg->wParam = 0;
    }
    return CDialog::PreTranslateMessage(msg);
}

// The black screen takes no input: a click on it while the prompt is up
// hands the keyboard back.
void CLockDlg::OnActivate(UINT state, HWND, bool) {
    Default();
    if (state != WA_INACTIVE) m_pUnlockDlg->TakeTheKeyboardBack();
}

// Any other close request, from a key, a menu or another program, is not
// an unlock.
void CLockDlg::OnClose() {
    if (CUnlockDlg::TakeUnlockMark(m_hWnd) && Go(LockEvent::unlocked)) EndLock(kLockUnlocked);
}

void CLockDlg::EndLock(int result) {
    m_guard.Release();
    EndDialog(result);
}

void CLockDlg::OnDestroy() {
    Default();
    // Text painted straight onto the screen goes with the window.
    InvalidateRect(nullptr, nullptr, TRUE);
    m_guard.Release();
    KillTimer(m_hWnd, kSessionGoesOnTimer);
    m_ctlTime.Stop();
    Go(LockEvent::destroyed);
    delete m_pUnlockDlg;
    m_pUnlockDlg = nullptr;
}

void CLockDlg::OnButtonUnlock() {
    // Only the lock's end gives the system back while the screen is held.
    if (!m_phase.Guarded()) GiveBack(kWhileLocked);
}

// Once the lock has begun, and only with a message: without one the
// screen outside the clock stays black.
bool CLockDlg::ShowsMessage() const {
    return !m_options.message.empty() && m_phase.Accepted();
}

void CLockDlg::OnPaint() {
    // Kept for a lock minimised for a moment, until the guard restores it.
    if (IsIconic(m_hWnd)) {
        PaintLockIcon(m_hWnd, m_hIcon);
        return;
    }
    PaintLockFace(m_hWnd, PaintsOnScreen(m_options.bgMode) && m_phase.Accepted(),
                  ShowsMessage() ? m_options.message : std::wstring(), m_crLit);
    Default();
}
