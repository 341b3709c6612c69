#pragma once
// Asks for the unlock password, typed twice, and the lock options, right
// before the screen is locked. Reads and writes no file: the lock window
// hands the options in and takes them back when the result is
// kSettingsAccepted.
#include <string>

#include "controls/CFlatButton.h"
#include "controls/CLockedDialog.h"

// The modal result of a confirmed settings dialog.
const int kSettingsAccepted = 100;

class CSettingsDlg : public CLockedDialog {
public:
    CSettingsDlg();
    ~CSettingsDlg() override;

    BOOL PreTranslateMessage(MSG* msg) override;

    std::wstring m_strPassword;
    std::wstring m_strBgMode;
    int m_bDisableScreenSafe = 0;
    int m_bAllowShutdown = 0;
    // The owner's message for the locked screen, as config.ini keeps it.
    std::wstring m_strMessage;
    std::wstring m_strAppDir;
    CFlatButton m_btnMore;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    void OnButtonOk();
    void OnButtonCancel();
    void OnCreateDesktopShortcut();

    DECLARE_MESSAGE_MAP()
};
