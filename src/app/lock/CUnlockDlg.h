#pragma once
// The password prompt that ends the lock. Created once, hidden, owned by the
// lock window; Escape on the lock window shows it.
#include <optional>
#include <string>

#include "app/lock/FailedAttempts.h"
#include "controls/CNoPasteEdit.h"
#include "framework/CDialog.h"
#include "framework/ForgedMessageFilter.h"

class CUnlockDlg : public CDialog {
public:
    CUnlockDlg();

    // The lock window's current password, not owned: the lock's string
    // itself, so a password set while the prompt is open is the one it
    // compares with.
    const std::wstring* m_pszPassword = nullptr;
    // Receives WM_CLOSE when the right password is entered.
    HWND m_hLockWnd = nullptr;
    // The lock window's count of refused entries, not owned: the owner is
    // told of it once the prompt is gone.
    FailedAttempts* m_pFailedAttempts = nullptr;

    // The shutdown command is obeyed only while the button is shown: any
    // program can send the command, hidden button or not.
    void ShowShutdownButton(BOOL show);

    // Whether the right password has just been typed for `lock`; the mark
    // is used up by asking. Only this process can set it, so no close
    // request from outside passes for an unlock.
    static bool TakeUnlockMark(HWND lock);

protected:
    void DoDataExchange() override;
    void OnButtonOk();
    void OnButtonCancel();
    void OnButtonShutdown();
    // Showing puts the prompt in the middle of the primary monitor, and
    // holds the queue's filter while it is shown.
    void OnShowWindow(bool shown, UINT status);

    DECLARE_MESSAGE_MAP()

private:
    CNoPasteEdit m_ctlPassword;
    bool m_bShutdownAllowed = false;
    // The prompt's message box runs a loop of the system's.
    std::optional<ForgedMessageFilter> m_filter;
    // The lock window the right password was typed for, until it asks.
    static HWND s_hUnlockedWnd;
};
