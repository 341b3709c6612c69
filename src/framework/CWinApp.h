#pragma once
// The one application object. The program's entry point calls its
// InitInstance, which runs the whole program.
#include "framework/CWnd.h"

class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    virtual BOOL InitInstance() = 0;

    // Dialogs created without a parent are owned by this window.
    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
