#include "app/CLockApp.h"

#include "app/CLockDlg.h"
#include "app/CrashGuard.h"
#include "app/Lockdown.h"
#include "app/SessionClaim.h"
#include "app/Watchdog.h"
#include "framework/ForgedMessages.h"

CLockApp theApp;

BOOL CLockApp::InitInstance() {
    // Before anything else: a second copy ends at once and changes nothing,
    // not even what an earlier lock left.
    const KernelHandle claim = ClaimTheSession();
    if (!claim) return FALSE;
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
