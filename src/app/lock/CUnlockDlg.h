#pragma once
// The password prompt that ends the lock. Created once, hidden, owned by the
// lock window; Escape on the lock window shows it.
#include <optional>
#include <string>

#include "app/lock/FailedAttempts.h"
#include "controls/CLockedDialog.h"
#include "controls/CNoPasteEdit.h"
#include "framework/ForgedMessageFilter.h"

class CUnlockDlg : public CLockedDialog {
public:
    // The prompt of the lock window `lock`, which receives WM_CLOSE when the
    // right password is entered. `password` is the lock's own string, not
    // owned, so a password set while the prompt is open is the one it
    // compares with; `failedAttempts` is the lock's count of refused
    // entries, which the owner is told of once the prompt is gone.
    CUnlockDlg(HWND lock, const std::wstring* password, FailedAttempts* failedAttempts);

    // Makes the prompt's window, hidden, once the lock covers the screens;
    // the keyboard stays where it is.
    void CreateHidden();
    // Shows the prompt, with the shutdown button when `allowShutdown`. A
    // prompt that could not be made before is made now: the lock must never
    // be left without its one way to end.
    void Show(bool allowShutdown);
    bool Shown() const;
    // The lock window takes the keyboard: while the prompt is shown, the
    // prompt takes it back once the lock has it, or the message it shows,
    // which must not stay hidden behind the lock.
    void TakeTheKeyboardBack();

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
    void OnTakeTheKeyboardBack();
    // The shutdown command is obeyed only while the button is shown: any
    // program can send the command, hidden button or not.
    void ShowShutdownButton(BOOL show);

    DECLARE_MESSAGE_MAP()

private:
    const std::wstring* const m_pszPassword;
    const HWND m_hLockWnd;
    FailedAttempts* const m_pFailedAttempts;
    CNoPasteEdit m_ctlPassword;
    bool m_bShutdownAllowed = false;
    // The prompt's message box runs a loop of the system's.
    std::optional<ForgedMessageFilter> m_filter;
    // The lock window the right password was typed for, until it asks.
    static HWND s_hUnlockedWnd;
};
