#include "app/CLockApp.h"

#include "app/CLockDlg.h"
#include "app/CrashGuard.h"

CLockApp theApp;

BOOL CLockApp::InitInstance() {
    InstallCrashGuard();
    CLockDlg lock;
    m_pMainWnd = &lock;
    lock.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
