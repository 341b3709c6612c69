#include "app/CLockApp.h"

#include "app/CLockDlg.h"

CLockApp theApp;

BOOL CLockApp::InitInstance() {
    CLockDlg lock;
    m_pMainWnd = &lock;
    lock.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
