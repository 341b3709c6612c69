#pragma once
// The lock window: covers every screen for the whole lock, takes the
// system's escape routes away, asks for the password and options, and gives
// everything back when it is destroyed.
#include <string>

#include "clock/CElapsedTimeStatic.h"
#include "controls/CBackgroundDlg.h"

class CUnlockDlg;

class CLockDlg : public CBackgroundDlg {
public:
    CLockDlg();
    ~CLockDlg() override;

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;

    void OnPaint();
    LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
    void OnButtonLock();
    void OnButtonUnlock();
    void OnDestroy();
    void OnTimer(WPARAM id);
    void OnDisplayChange();

    DECLARE_MESSAGE_MAP()

private:
    void CoverScreens();
    void PlaceClock();
    void ShowUnlockPrompt();
    void KeepInFront();
    void AcceptSettings();
    void HoldOffScreenSaver(int on);
    void SetWindowAlpha(BYTE alpha);
    void DrawBanners(HDC dc, HFONT font) const;
    void RedrawNow();

    std::wstring m_strPassword;
    std::wstring m_strAppDir;
    std::wstring m_strConfigPath;
    std::wstring m_strBgMode;
    int m_bDisableScreenSafe = 0;
    int m_bAllowShutdown = 0;
    int m_bSettingsPending = 0;
    CUnlockDlg* m_pUnlockDlg = nullptr;
    BOOL m_bScreenSaverWasActive = FALSE;
    std::wstring m_strBanner1, m_strBanner2, m_strBanner3;
    CElapsedTimeStatic m_ctlTime;
    HICON m_hIcon;
};
