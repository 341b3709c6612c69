#include "app/CLockApp.h"

#include "app/CLockDlg.h"
#include "app/CrashGuard.h"
#include "app/Lockdown.h"
#include "app/Watchdog.h"
#include "framework/ForgedMessages.h"

CLockApp theApp;

BOOL CLockApp::InitInstance() {
    // A lock's watchdog, which must never become a lock itself. It inherits
    // the lock's error mode: no error box should it crash.
    if (const std::optional<WatchdogHandles> watchdog = WatchdogHandlesIn(GetCommandLineW())) {
        RunWatchdog(*watchdog);
        return FALSE;
    }
    InstallCrashGuard();
    // Otherwise Windows puts a movable, closable ghost over the lock as soon
    // as it is slow to answer for a few seconds.
    DisableProcessWindowsGhosting();
    IgnorePostedSystemMessages();
    PutBackWhatAnEarlierLockLeft();
    StartWatchdog();
    CLockDlg lock;
    m_pMainWnd = &lock;
    lock.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
