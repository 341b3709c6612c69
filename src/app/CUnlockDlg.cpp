#include "app/CUnlockDlg.h"

#include "app/DialogText.h"
#include "app/PasswordText.h"
#include "app/Shutdown.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CUnlockDlg, CDialog)
    ON_COMMAND(IDC_OK, OnButtonOk)
    ON_COMMAND(IDC_CANCEL, OnButtonCancel)
    ON_MESSAGE(WM_SHOWWINDOW, OnShowWindow)
    ON_COMMAND(IDC_SHUTDOWN, OnButtonShutdown)
END_MESSAGE_MAP()

CUnlockDlg::CUnlockDlg() : CDialog(IDD_UNLOCK) {}

void CUnlockDlg::OnButtonOk() {
    std::wstring typed = ReadTrimmedText(m_hWnd, IDC_UNLOCK_PASSWORD);
    const bool right = m_pszPassword && typed == m_pszPassword;
    WipeText(typed);
    if (!right) {
        ShowFieldMessage(m_hWnd, IDC_UNLOCK_PASSWORD, L"解锁密码错误！\n\n* 区分大小写");
        return;
    }
    SendMessageW(m_hLockWnd, WM_CLOSE, 0, 0);
}

void CUnlockDlg::OnButtonCancel() {
    OnCancel();
}

void CUnlockDlg::OnButtonShutdown() {
    ShutdownComputer();
}

LRESULT CUnlockDlg::OnShowWindow(WPARAM, LPARAM) {
    const LRESULT result = Default();
    SetFocus(GetDlgItem(m_hWnd, IDC_UNLOCK_PASSWORD));
    return result;
}

void CUnlockDlg::ShowShutdownButton(BOOL show) {
    ShowWindow(GetDlgItem(m_hWnd, IDC_SHUTDOWN), show ? SW_SHOW : SW_HIDE);
}
