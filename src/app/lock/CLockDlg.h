#pragma once
// The lock window: covers every screen for the whole lock, takes the
// system's escape routes away, asks for the password and options, and gives
// everything back when it is destroyed. Only the unlock prompt, right after
// the right password, ends it; the end of the Windows session gives back
// what would outlive the process, and takes it again should the end not
// come.
#include <string>

#include "app/guard/CLockGuard.h"
#include "app/lock/FailedAttempts.h"
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

    void OnPaint();
    LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
    void OnButtonLock();
    void OnButtonUnlock();
    void OnDestroy();
    void OnTimer(WPARAM id);
    LRESULT OnDisplayChange(WPARAM, LPARAM);
    void OnClose();
    LRESULT OnSysCommand(WPARAM command, LPARAM);
    LRESULT OnWindowPosChanging(WPARAM, LPARAM pos);
    LRESULT OnQueryEndSession(WPARAM, LPARAM reason);
    void OnEndSession(WPARAM ending);
    LRESULT OnActivate(WPARAM state, LPARAM);
    // A change to the lock window itself, whoever made it.
    LRESULT OnChangeHeardOf(WPARAM, LPARAM);
    void OnCheckNow();
    void OnFinishStart();

    DECLARE_MESSAGE_MAP()

private:
    static void CALLBACK OnGuardTimer(HWND lock, UINT, UINT_PTR, DWORD);
    void Check();
    void OnScreensChanged();
    bool PromptShown() const;
    void EndLock(int result);
    void LockSystem(bool on);
    void ReleaseLock();
    void AcceptSettings();
    void SetWindowAlpha(BYTE alpha);
    bool ShowsMessage() const;
    void RedrawNow();

    std::wstring m_strPassword;
    std::wstring m_strAppDir;
    std::wstring m_strConfigPath;
    std::wstring m_strBgMode;
    int m_bDisableScreenSafe = 0;
    int m_bAllowShutdown = 0;
    int m_bSettingsPending = 0;
    CUnlockDlg* m_pUnlockDlg = nullptr;
    std::wstring m_strMessage;  // the owner's message, drawn above the clock
    COLORREF m_crLit;  // the clock's lit segments, and the message
    CElapsedTimeStatic m_ctlTime;
    HICON m_hIcon;
    CLockGuard m_guard;
    unsigned m_nChecks = 0;  // regular checks so far
    bool m_bSettingsAsked = false;
    // What outlives the process is taken away (the policy values, the
    // taskbars, with the hold-off its settings).
    bool m_bSystemLocked = false;
    bool m_bHoldingOff = false;  // the hold-off has begun
    FailedAttempts m_failedAttempts;
};
