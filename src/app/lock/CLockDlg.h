#pragma once
// The lock window: covers every screen for the whole lock, takes the
// system's escape routes away, asks for the password and options, and gives
// everything back when it is destroyed. Only the unlock prompt, right after
// the right password, ends it; the end of the Windows session gives back
// what would outlive the process, and takes it again should the end not
// come. Where the lock is on that road, and what it has taken, is its phase
// (LockPhase.h).
#include <string>

#include "app/config/ConfigRules.h"
#include "app/guard/CLockGuard.h"
#include "app/lock/FailedAttempts.h"
#include "app/lock/LockPhase.h"
#include "clock/CElapsedTimeStatic.h"
#include "controls/CBackgroundDlg.h"

class CUnlockDlg;

// What the lock's modal run returns when the right password ended it.
const int kLockUnlocked = IDCANCEL;

class CLockDlg : public CBackgroundDlg {
public:
    CLockDlg();
    ~CLockDlg() override;

    BOOL PreTranslateMessage(MSG* msg) override;

    // The entries the unlock prompt refused, for the owner to be told of
    // after the unlock.
    const FailedAttempts& RefusedEntries() const { return m_failedAttempts; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    // Neither command ends the lock.
    void OnOK() override {}
    void OnCancel() override {}

    void OnFinishStart();
    void OnTimer(UINT_PTR id);
    void OnCheckNow() { Check(); }
    // Whoever moves, sizes, hides or lowers the window, it stays over the
    // cover; a change to it, whoever made it, is looked at soon.
    void OnWindowPosChanging(WINDOWPOS* change) {
        Default();
        m_guard.Pin(change);
    }
    void OnChangeHeardOf() {
        Default();
        m_guard.CheckSoon();
    }
    void OnDisplayChange();
    void OnSysCommand(UINT command) {
        if (IsAllowedSystemCommand(command)) Default();
    }
    // An update or installer asks programs to close this way: the lock is
    // not closed by anyone but its owner. The end of the session is let
    // through.
    bool OnQueryEndSession(UINT reasons) { return !(reasons & ENDSESSION_CLOSEAPP); }
    void OnEndSession(bool ending, UINT reasons);
    void OnActivate(UINT state, HWND other, bool minimised);
    void OnClose();
    void OnDestroy();
    // The template's hidden Lock and Unlock commands, kept: Lock takes
    // everything again, Unlock gives it back once the lock has ended.
    void OnButtonLock() { Take(kWhileLocked); }
    void OnButtonUnlock();
    void OnPaint();
    // Kept for a lock minimised for a moment: the icon the system drags.
    HICON OnQueryDragIcon() { return m_hIcon; }

    DECLARE_MESSAGE_MAP()

private:
    // Tells the phase of `event` and gives back and takes what it says;
    // true when the event counted.
    bool Go(LockEvent event);
    void ReadOptions();
    void PrepareThePrompt();
    void TakeTheSystem();
    void CoverTheScreens();
    void SetUpTheClock();
    void AskForSettings();
    static void CALLBACK OnGuardTimer(HWND lock, UINT, UINT_PTR, DWORD);
    void Check();
    void OnScreensChanged();
    void EndLock(int result);
    bool ShowsMessage() const;

    std::wstring m_strPassword;
    std::wstring m_strAppDir;
    std::wstring m_strConfigPath;
    LockOptions m_options;
    CUnlockDlg* m_pUnlockDlg = nullptr;
    COLORREF m_crLit;  // the clock's lit segments, and the message
    CElapsedTimeStatic m_ctlTime;
    HICON m_hIcon;
    CLockGuard m_guard;
    unsigned m_nChecks = 0;  // regular checks so far
    LockPhase m_phase;
    FailedAttempts m_failedAttempts;
};
