#include "app/lock/CUnlockDlg.h"

#include "app/dialogs/DialogText.h"
#include "app/dialogs/PasswordText.h"
#include "app/dialogs/PrimaryPlacement.h"
#include "app/lock/Shutdown.h"
#include "res/resource.h"

namespace {

// Posted to itself: the lock window is in the middle of being activated.
const UINT kTakeTheKeyboardBackMessage = WM_APP;

}  // namespace

BEGIN_MESSAGE_MAP(CUnlockDlg, CLockedDialog)
    ON_COMMAND(IDC_OK, OnButtonOk)
    ON_COMMAND(IDC_CANCEL, OnButtonCancel)
    ON_TYPED(WM_SHOWWINDOW, OnShowWindow)
    ON_COMMAND(IDC_SHUTDOWN, OnButtonShutdown)
    ON_MESSAGE(kTakeTheKeyboardBackMessage, OnTakeTheKeyboardBack)
END_MESSAGE_MAP()

HWND CUnlockDlg::s_hUnlockedWnd = nullptr;

CUnlockDlg::CUnlockDlg(HWND lock, const std::wstring* password, FailedAttempts* failedAttempts)
    : CLockedDialog(IDD_UNLOCK), m_pszPassword(password), m_hLockWnd(lock), m_pFailedAttempts(failedAttempts) {}

void CUnlockDlg::DoDataExchange() {
    m_ctlPassword.SubclassDlgItem(IDC_UNLOCK_PASSWORD, this);
}

bool CUnlockDlg::TakeUnlockMark(HWND lock) {
    const bool marked = lock && s_hUnlockedWnd == lock;
    s_hUnlockedWnd = nullptr;
    return marked;
}

void CUnlockDlg::OnButtonOk() {
    std::wstring typed = ReadTrimmedText(m_hWnd, IDC_UNLOCK_PASSWORD);
    const bool right = m_pszPassword && Unlocks(typed, *m_pszPassword);
    WipeText(typed);
    if (!right) {
        if (m_pFailedAttempts) {
            SYSTEMTIME now;
            GetLocalTime(&now);
            m_pFailedAttempts->Add(now.wHour, now.wMinute, now.wSecond);
        }
        ShowFieldMessage(m_hWnd, IDC_UNLOCK_PASSWORD, L"解锁密码错误！\n\n* 区分大小写");
        return;
    }
    s_hUnlockedWnd = m_hLockWnd;
    SendMessageW(m_hLockWnd, WM_CLOSE, 0, 0);
}

void CUnlockDlg::OnButtonCancel() {
    OnCancel();
}

void CUnlockDlg::OnButtonShutdown() {
    if (m_bShutdownAllowed) ShutdownComputer();
}

void CUnlockDlg::OnShowWindow(bool shown, UINT) {
    // Each time: the monitors may have changed since the last time.
    if (shown) CenterOnPrimaryMonitor(m_hWnd);
    if (shown) m_filter.emplace();
    else m_filter.reset();
    Default();
    SetFocus(GetDlgItem(m_hWnd, IDC_UNLOCK_PASSWORD));
}

void CUnlockDlg::CreateHidden() {
    if (m_hWnd) return;
    // The dialog manager gives a new dialog's first control the keyboard,
    // hidden or not.
    HWND focus = GetFocus();
    Create();
    if (focus && GetFocus() != focus) SetFocus(focus);
}

void CUnlockDlg::Show(bool allowShutdown) {
    if (!m_hWnd && !Create()) return;
    ShowShutdownButton(allowShutdown);
    ShowWindow(m_hWnd, SW_SHOW);
}

bool CUnlockDlg::Shown() const {
    return m_hWnd && IsWindowVisible(m_hWnd);
}

void CUnlockDlg::TakeTheKeyboardBack() {
    if (Shown()) PostMessageW(m_hWnd, kTakeTheKeyboardBackMessage, 0, 0);
}

void CUnlockDlg::OnTakeTheKeyboardBack() {
    if (Shown() && GetForegroundWindow() == m_hLockWnd) SetForegroundWindow(GetLastActivePopup(m_hWnd));
}

void CUnlockDlg::ShowShutdownButton(BOOL show) {
    m_bShutdownAllowed = show != FALSE;
    ShowWindow(GetDlgItem(m_hWnd, IDC_SHUTDOWN), show ? SW_SHOW : SW_HIDE);
}
