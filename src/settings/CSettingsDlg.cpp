#include "settings/CSettingsDlg.h"

#include "app/config/BackgroundMode.h"
#include "app/config/ConfigFile.h"
#include "app/dialogs/DialogText.h"
#include "app/dialogs/PasswordText.h"
#include "app/dialogs/PrimaryPlacement.h"
#include "res/resource.h"
#include "settings/DesktopShortcut.h"

BEGIN_MESSAGE_MAP(CSettingsDlg, CLockedDialog)
    ON_COMMAND(IDC_OK, OnButtonOk)
    ON_COMMAND(IDC_CANCEL, OnButtonCancel)
    ON_COMMAND(ID_CREATE_SHORTCUT, OnCreateDesktopShortcut)
END_MESSAGE_MAP()

CSettingsDlg::CSettingsDlg() : CLockedDialog(IDD_SETTINGS) {}

CSettingsDlg::~CSettingsDlg() {
    WipeText(m_strPassword);
}

void CSettingsDlg::DoDataExchange() {
    m_btnMore.SubclassDlgItem(IDC_MORE, this);
}

BOOL CSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_btnMore.AttachMenu(IDR_MORE_MENU, m_hWnd, 1, 0, 16, 16, RGB(255, 0, 255), TRUE);
    CheckDlgButton(m_hWnd, IDC_ALLOW_SHUTDOWN, static_cast<UINT>(m_bAllowShutdown));
    CheckDlgButton(m_hWnd, IDC_HOLD_OFF, static_cast<UINT>(m_bDisableScreenSafe));
    if (const int button = ModeButtonFor(BgModeNumber(m_strBgMode)))
        CheckDlgButton(m_hWnd, button, BST_CHECKED);
    SetDlgItemTextW(m_hWnd, IDC_MESSAGE, m_strMessage.c_str());
    CenterOnPrimaryMonitor(m_hWnd);
    return TRUE;
}

void CSettingsDlg::OnButtonOk() {
    std::wstring password = ReadTrimmedText(m_hWnd, IDC_PASSWORD);
    if (password.empty()) {
        ShowFieldMessage(m_hWnd, IDC_PASSWORD, L"解锁密码不能为空！");
        return;
    }
    std::wstring confirmation = ReadTrimmedText(m_hWnd, IDC_CONFIRM);
    const bool same = password == confirmation;
    WipeText(confirmation);
    if (!same) {
        WipeText(password);
        ShowFieldMessage(m_hWnd, IDC_CONFIRM, L"两次输入不一致！");
        return;
    }
    const std::wstring message = ReadTrimmedText(m_hWnd, IDC_MESSAGE);
    if (const wchar_t* refusal = MessageRefusal(message, CodePageHolds(CP_ACP, message))) {
        WipeText(password);
        ShowFieldMessage(m_hWnd, IDC_MESSAGE, refusal);
        return;
    }
    WipeText(m_strPassword);
    m_strPassword = password;
    WipeText(password);
    m_bDisableScreenSafe = IsDlgButtonChecked(m_hWnd, IDC_HOLD_OFF) == BST_CHECKED;
    m_bAllowShutdown = IsDlgButtonChecked(m_hWnd, IDC_ALLOW_SHUTDOWN) == BST_CHECKED;
    m_strMessage = message;
    for (int button = IDC_MODE_FIRST; button <= IDC_MODE_LAST; ++button) {
        if (IsDlgButtonChecked(m_hWnd, button) == BST_CHECKED)
            m_strBgMode = ModeTextFor(button);
    }
    EndDialog(kSettingsAccepted);
}

void CSettingsDlg::OnButtonCancel() {
    EndDialog(0);
}

// Fire and forget: the user sees the shortcut on the desktop or does not.
void CSettingsDlg::OnCreateDesktopShortcut() {
    CreateDesktopShortcut(m_strAppDir);
}

BOOL CSettingsDlg::PreTranslateMessage(MSG* msg) {
    // Neither key may end the dialog: only the buttons and a close request do.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        msg->wParam = 0;
    return CDialog::PreTranslateMessage(msg);
}
