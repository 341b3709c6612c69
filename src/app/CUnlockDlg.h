#pragma once
// The password prompt that ends the lock. Created once, hidden, owned by the
// lock window; Escape on the lock window shows it.
#include "framework/CDialog.h"

class CUnlockDlg : public CDialog {
public:
    CUnlockDlg();

    // The lock window's current password; not owned.
    const wchar_t* m_pszPassword = nullptr;
    // Receives WM_CLOSE when the right password is entered.
    HWND m_hLockWnd = nullptr;

    void ShowShutdownButton(BOOL show);

protected:
    void OnButtonOk();
    void OnButtonCancel();
    void OnButtonShutdown();
    LRESULT OnShowWindow(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
