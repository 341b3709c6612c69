#include "app/CLockDlg.h"

#include <vector>

#include "app/BackgroundMode.h"
#include "app/CUnlockDlg.h"
#include "app/ConfigFile.h"
#include "app/LockGeometry.h"
#include "app/Lockdown.h"
#include "app/PasswordText.h"
#include "framework/ScopedHandles.h"
#include "res/resource.h"
#include "settings/CSettingsDlg.h"

namespace {

const UINT_PTR kSettingsTimer = 1;
// How often the lock makes sure nothing has come in front of it.
const UINT_PTR kFrontTimer = 2;
const UINT kFrontCheckMs = 250;
// How often the lock looks for taskbars that have appeared since (a
// restarted shell, a new monitor): a search of all windows, so less often.
const UINT_PTR kTaskbarTimer = 3;
const UINT kTaskbarCheckMs = 1000;
// Posted to itself: the prompt takes the keyboard back from the lock window.
const UINT kReturnToPromptMessage = WM_APP;
// The system's class of menu windows, "#32768".
const DWORD kMenuClassAtom = 32768;
const COLORREF kUnlit = RGB(0, 0, 0);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kWhite = RGB(255, 255, 255);

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM monitors) {
    reinterpret_cast<std::vector<ScreenRect>*>(monitors)->push_back(
        {rect->left, rect->top, rect->right, rect->bottom});
    return TRUE;
}

std::wstring ModuleDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return DirectoryOf(path);
        }
        path.resize(path.size() * 2);
    }
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
    ON_MESSAGE(WM_CLOSE, OnClose)
    ON_MESSAGE(WM_SYSCOMMAND, OnSysCommand)
    ON_MESSAGE(WM_WINDOWPOSCHANGING, OnWindowPosChanging)
    ON_MESSAGE(WM_ENDSESSION, OnEndSession)
    ON_MESSAGE(WM_ACTIVATE, OnActivate)
    ON_MESSAGE(kReturnToPromptMessage, OnReturnToPrompt)
    // The launch keys (mail, browser, calculator) start nothing while locked.
    ON_MESSAGE_RESULT(WM_APPCOMMAND, TRUE)
END_MESSAGE_MAP()

CLockDlg::CLockDlg()
    : CBackgroundDlg(IDD_LOCK, nullptr),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN))) {}

CLockDlg::~CLockDlg() {
    WipeText(m_strPassword);
}

void CLockDlg::DoDataExchange() {
    m_ctlTime.SubclassDlgItem(IDC_TIME, this);
}

BOOL CLockDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_strAppDir = ModuleDirectory();
    m_strConfigPath = m_strAppDir + L"config.ini";
    const LockOptions options = LoadOptions(m_strConfigPath);
    m_strBgMode = options.bgMode;
    m_bDisableScreenSafe = options.holdOff;
    m_bAllowShutdown = options.allowShutdown;
    m_bSettingsPending = 1;

    SetLockdown(LOCK_ALL, 1, 0);
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(GetDlgItem(m_hWnd, IDC_LOCK), SW_HIDE);
    ShowWindow(GetDlgItem(m_hWnd, IDC_UNLOCK), SW_HIDE);
    // No caption, no border and no system menu: the window is nothing but
    // its black face, and no menu of its own can close, move or hide it.
    SetWindowLongW(m_hWnd, GWL_STYLE,
                   GetWindowLongW(m_hWnd, GWL_STYLE) & ~(WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    SetWindowLongW(m_hWnd, GWL_EXSTYLE, 0);
    CoverScreens();
    m_bHoldingScreen = true;

    m_pUnlockDlg = new CUnlockDlg;
    m_pUnlockDlg->m_hLockWnd = m_hWnd;
    m_pUnlockDlg->m_pszPassword = &m_strPassword;
    m_pUnlockDlg->Create();

    m_ctlTime.SetMode(kElapsedTenths);
    m_ctlTime.SetColours(kUnlit, kYellow);
    PlaceClock();
    SetWindowLongW(m_hWnd, GWL_EXSTYLE, GetWindowLongW(m_hWnd, GWL_EXSTYLE) ^ WS_EX_LAYERED);
    SetWindowAlpha(kStartAlpha);
    SetTimer(m_hWnd, kSettingsTimer, 300, nullptr);
    SetTimer(m_hWnd, kFrontTimer, kFrontCheckMs, nullptr);
    SetTimer(m_hWnd, kTaskbarTimer, kTaskbarCheckMs, nullptr);
    m_strBanner1.clear();
    return TRUE;
}

void CLockDlg::CoverScreens() {
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty())
        monitors.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    m_rcCover = LockWindowRect(monitors);
    SetWindowPos(m_hWnd, nullptr, m_rcCover.left, m_rcCover.top, m_rcCover.Width(),
                 m_rcCover.Height(), SWP_NOZORDER);
}

void CLockDlg::PlaceClock() {
    RECT window;
    GetWindowRect(m_hWnd, &window);
    const ScreenRect r = ClockRect(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                   {window.left, window.top, window.right, window.bottom});
    SetWindowPos(GetDlgItem(m_hWnd, IDC_TIME), nullptr, r.left, r.top, r.Width(), r.Height(),
                 SWP_NOZORDER);
}

void CLockDlg::OnDisplayChange() {
    CoverScreens();
    PlaceClock();
    Default();
}

BOOL CLockDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        msg->wParam = 0;
    } else if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        msg->wParam = 0;
        ShowUnlockPrompt();
    } else if (msg->wParam == VK_F4) {
        // Alt+F4 arrives as a system key; without its key code it closes nothing.
        msg->wParam = 0;
    }
    return CDialog::PreTranslateMessage(msg);
}

void CLockDlg::ShowUnlockPrompt() {
    // A prompt that could not be made before is made now: the lock must
    // never be left without its one way to end.
    if (!m_pUnlockDlg->m_hWnd && !m_pUnlockDlg->Create()) return;
    m_pUnlockDlg->ShowShutdownButton(m_bAllowShutdown);
    ShowWindow(m_pUnlockDlg->m_hWnd, SW_SHOW);
}

bool CLockDlg::PromptShown() const {
    return m_pUnlockDlg && m_pUnlockDlg->m_hWnd && IsWindowVisible(m_pUnlockDlg->m_hWnd);
}

// The black screen takes no input. A click on it while the prompt is up
// hands the keyboard back to the prompt, or to the message it shows, which
// must not stay hidden behind the lock.
LRESULT CLockDlg::OnActivate(WPARAM state, LPARAM) {
    const LRESULT result = Default();
    if (LOWORD(state) != WA_INACTIVE && PromptShown()) PostMessageW(m_hWnd, kReturnToPromptMessage, 0, 0);
    return result;
}

void CLockDlg::OnReturnToPrompt() {
    if (PromptShown() && GetForegroundWindow() == m_hWnd)
        SetForegroundWindow(GetLastActivePopup(m_pUnlockDlg->m_hWnd));
}

void CLockDlg::OnTimer(WPARAM id) {
    switch (id) {
    case kSettingsTimer:
        // Once per run: the settings are asked for on the first tick only.
        KillTimer(m_hWnd, kSettingsTimer);
        AcceptSettings();
        return;
    case kFrontTimer:
        if (m_bHoldingScreen) HoldTheScreen();
        return;
    case kTaskbarTimer:
        if (m_bHoldingScreen) SetLockdown(LOCK_TASKBAR, 1, 0);
        return;
    default: Default();
    }
}

void CLockDlg::AcceptSettings() {
    CSettingsDlg settings;
    settings.m_strAppDir = m_strAppDir;
    settings.m_strBgMode = m_strBgMode;
    settings.m_bDisableScreenSafe = m_bDisableScreenSafe;
    settings.m_bAllowShutdown = m_bAllowShutdown;
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
    SaveOptions(m_strConfigPath, {m_strBgMode, m_bDisableScreenSafe != 0, m_bAllowShutdown != 0});
    m_ctlTime.Start();

    const BackgroundStyle style = BackgroundStyleFor(BgModeNumber(m_strBgMode));
    SetWindowAlpha(style.alpha);
    if (style.whiteDigits) m_ctlTime.SetColours(kUnlit, kWhite);
    RedrawNow();
    if (m_bDisableScreenSafe) HoldOffScreenSaver(true);
}

void CLockDlg::OnClose() {
    // Any other close request, from a key, a menu or another program, is
    // not an unlock.
    if (CUnlockDlg::TakeUnlockMark(m_hWnd)) EndLock(IDCANCEL);
}

LRESULT CLockDlg::OnSysCommand(WPARAM command, LPARAM) {
    switch (command & 0xFFF0) {
    case SC_CLOSE:
    case SC_MOVE:
    case SC_SIZE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_RESTORE:
    case SC_KEYMENU:
    case SC_MOUSEMENU:
    case SC_TASKLIST: return 0;
    default: return Default();
    }
}

// Whoever moves, sizes, hides or lowers the window, it stays shown over
// every screen and topmost.
LRESULT CLockDlg::OnWindowPosChanging(WPARAM, LPARAM pos) {
    const LRESULT result = Default();
    if (!m_bHoldingScreen) return result;
    auto* change = reinterpret_cast<WINDOWPOS*>(pos);
    change->flags &= ~SWP_HIDEWINDOW;
    // A change of the z-order alone leaves the place as it is.
    if (!(change->flags & SWP_NOMOVE)) {
        change->x = m_rcCover.left;
        change->y = m_rcCover.top;
    }
    if (!(change->flags & SWP_NOSIZE)) {
        change->cx = m_rcCover.Width();
        change->cy = m_rcCover.Height();
    }
    if (change->hwndInsertAfter == HWND_NOTOPMOST) change->hwndInsertAfter = HWND_TOPMOST;
    return result;
}

// Windows ends the process right after this, without WM_DESTROY.
void CLockDlg::OnEndSession(WPARAM ending) {
    if (ending) ReleaseLock();
}

void CLockDlg::EndLock(int result) {
    m_bHoldingScreen = false;
    EndDialog(result);
}

void CLockDlg::HoldTheScreen() {
    RepairCover();
    KeepInFront();
}

// What got past the pin (a minimise, or a change that skipped asking) is
// undone.
void CLockDlg::RepairCover() {
    if (IsIconic(m_hWnd)) ShowWindow(m_hWnd, SW_RESTORE);
    if (!IsWindowVisible(m_hWnd)) ShowWindow(m_hWnd, SW_SHOWNA);
    RECT now;
    GetWindowRect(m_hWnd, &now);
    if (!(ScreenRect{now.left, now.top, now.right, now.bottom} == m_rcCover))
        SetWindowPos(m_hWnd, nullptr, m_rcCover.left, m_rcCover.top, m_rcCover.Width(),
                     m_rcCover.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

// Another program's window over the lock, or holding the keyboard, is put
// back behind it: the lock and the windows it owns stay topmost, in their
// order, and the one of them that takes input gets the foreground again.
// An open menu keeps its place: giving it the foreground would close it.
void CLockDlg::KeepInFront() {
    const DWORD thread = GetCurrentThreadId();
    std::vector<HWND> ours;  // our visible windows, topmost first
    bool covered = false;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsWindowVisible(w)) continue;
        if (GetWindowThreadProcessId(w, nullptr) == thread) ours.push_back(w);
        else covered = true;
        if (w == m_hWnd) break;
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
    if (input && (covered || !foreground || GetWindowThreadProcessId(foreground, nullptr) != thread))
        SetForegroundWindow(input);
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

// Once only: the end of the session may come first, and the window's
// destruction after it.
void CLockDlg::ReleaseLock() {
    m_bHoldingScreen = false;
    if (m_bReleased) return;
    m_bReleased = true;
    m_ctlTime.Stop();
    SetLockdown(LOCK_ALL, 0, 0);
    if (m_bDisableScreenSafe) HoldOffScreenSaver(false);
}

void CLockDlg::OnButtonLock() {
    SetLockdown(LOCK_ALL, 1, 0);
}

void CLockDlg::OnButtonUnlock() {
    SetLockdown(LOCK_ALL, 0, 0);
}

void CLockDlg::SetWindowAlpha(BYTE alpha) {
    // Looked up at run time: systems without layered windows keep an opaque one.
    HMODULE user32 = LoadLibraryW(L"User32.DLL");
    if (!user32) return;
    using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    auto setLayered = reinterpret_cast<SetLayeredFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
    if (setLayered) setLayered(m_hWnd, 0, alpha, LWA_ALPHA);
    FreeLibrary(user32);
}

LRESULT CLockDlg::OnQueryDragIcon(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(m_hIcon);
}

void CLockDlg::OnPaint() {
    if (IsIconic(m_hWnd)) {
        const CPaintDC dc(m_hWnd);
        SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), 0);
        RECT client;
        GetClientRect(m_hWnd, &client);
        DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
                 (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, m_hIcon);
        return;
    }
    const GdiObject<HFONT> font(CreateFontW(50, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                            DEFAULT_PITCH | FF_SWISS, L"Arial"));
    if (PaintsOnScreen(m_strBgMode) && !m_bSettingsPending) {
        // The practically invisible mode writes onto the screen itself.
        DrawBanners(WindowDC(nullptr), font.get());
    } else {
        const CPaintDC dc(m_hWnd);
        RECT client;
        GetClientRect(m_hWnd, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        DrawBanners(dc, font.get());
    }
    Default();
}

void CLockDlg::DrawBanners(HDC dc, HFONT font) const {
    const CSelectedObject selected(dc, font);
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 100, 50, m_strBanner1.c_str(), static_cast<int>(m_strBanner1.size()));
    TextOutW(dc, 100, 100, m_strBanner2.c_str(), static_cast<int>(m_strBanner2.size()));
    SetTextColor(dc, RGB(255, 255, 0));
    TextOutW(dc, 100, 150, m_strBanner3.c_str(), static_cast<int>(m_strBanner3.size()));
}
