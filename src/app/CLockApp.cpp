#include "app/CLockApp.h"

#include "app/CLockDlg.h"
#include "app/CrashGuard.h"
#include "framework/ForgedMessages.h"

CLockApp theApp;

BOOL CLockApp::InitInstance() {
    InstallCrashGuard();
    // Otherwise Windows puts a movable, closable ghost over the lock as soon
    // as it is slow to answer for a few seconds.
    DisableProcessWindowsGhosting();
    IgnorePostedSystemMessages();
    CLockDlg lock;
    m_pMainWnd = &lock;
    lock.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
