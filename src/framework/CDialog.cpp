#include "framework/CDialog.h"

#include "framework/CWinApp.h"
#include "framework/DialogPlacement.h"
#include "framework/Dpi.h"
#include "framework/ForgedMessages.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_TYPED(WM_DPICHANGED, OnDpiChanged)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

HWND CDialog::OwnerWindow() const {
    if (m_pParentWnd) return m_pParentWnd->m_hWnd;
    // Like any top-level dialog of the program, one without a parent is
    // owned by the main window, so it stays above it.
    CWnd* main = AfxGetMainWnd();
    return main && main != this ? main->m_hWnd : nullptr;
}

BOOL CDialog::CreateFromTemplate() {
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nIDTemplate),
                              OwnerWindow(), &CDialog::DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

namespace {

// Centres a dialog over its owner, kept on the owner's monitor.
void CenterOverOwner(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    // The part of the owner on that monitor; the whole work area where none of
    // the owner shows.
    RECT over = work, ownerRect;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner) && GetWindowRect(owner, &ownerRect) &&
        !IntersectRect(&over, &ownerRect, &work))
        over = work;
    RECT r;
    GetWindowRect(dialog, &r);
    const ScreenRect place = CentredOver(r.right - r.left, r.bottom - r.top,
                                         {over.left, over.top, over.right, over.bottom},
                                         {work.left, work.top, work.right, work.bottom});
    SetWindowPos(dialog, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// The dialog manager calls this for every message; only WM_INITDIALOG is
// ours. There the window is bound to the object, so from then on messages
// reach the message tables first and the dialog manager as default.
INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog->SubclassWindow(hWnd)) return FALSE;
    RECT before;
    GetWindowRect(hWnd, &before);
    const BOOL result = dialog->OnInitDialog();

    // A hidden dialog that placed itself nowhere, and is not centred by the
    // dialog manager, is shown in the middle of its disabled owner: the
    // place a modal dialog belongs.
    RECT after;
    HWND owner = GetWindow(hWnd, GW_OWNER);
    if (dialog->m_hWnd && GetWindowRect(hWnd, &after) && after.left == before.left &&
        after.top == before.top &&
        !(GetWindowLongW(hWnd, GWL_STYLE) & (WS_VISIBLE | WS_CHILD | DS_CENTER)) &&
        (!owner || !IsWindowEnabled(owner)))
        CenterOverOwner(hWnd);
    return result;
}

INT_PTR CDialog::DoModal() {
    HWND owner = OwnerWindow();
    const bool reenableOwner = owner && IsWindowEnabled(owner);
    if (reenableOwner) EnableWindow(owner, FALSE);

    m_bModal = true;
    m_bEndModal = false;
    m_nModalResult = -1;
    if (CreateFromTemplate()) {
        if (!m_bEndModal) ShowWindow(m_hWnd, SW_SHOWNORMAL);
        RunModalLoop();
    }

    // Enable the owner before this window goes, so activation returns to it.
    if (reenableOwner) EnableWindow(owner, TRUE);
    if (owner && m_hWnd && GetActiveWindow() == m_hWnd) SetActiveWindow(owner);
    DestroyWindow();
    m_bModal = false;
    return m_nModalResult;
}

void CDialog::RunModalLoop() {
    MSG msg;
    while (!m_bEndModal && m_hWnd) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got < 0) return;
        // The program never asks itself to quit: it ends when its modal
        // runs end. A quit message was posted by another program, and so
        // was any message only the system sends, which it never posts.
        if (got == 0 || OnlyTheSystemSends(msg.message)) continue;
        if (!WalkPreTranslateTree(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

BOOL CDialog::Create() {
    m_bModal = false;
    return CreateFromTemplate();
}

void CDialog::EndDialog(int result) {
    if (m_bModal) {
        m_nModalResult = result;
        m_bEndModal = true;
    } else if (m_hWnd) {
        ShowWindow(m_hWnd, SW_HIDE);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST || !m_hWnd) return FALSE;
    return IsDialogMessageW(m_hWnd, msg);
}

BOOL CDialog::OnInitDialog() {
    DoDataExchange();
    return TRUE;
}

// On a monitor of another DPI the dialog keeps its size in inches, in the
// place the system suggests.
void CDialog::OnDpiChanged(UINT, const RECT& suggested) {
    MoveToSuggestedRect(m_hWnd, suggested);
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}
