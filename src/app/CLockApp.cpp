#include "app/CLockApp.h"

#include "app/lock/CLockDlg.h"
#include "app/lockdown/CrashGuard.h"
#include "app/lock/FailedAttempts.h"
#include "app/lockdown/Lockdown.h"
#include "app/dialogs/PrimaryPlacement.h"
#include "app/lock/SessionClaim.h"
#include "app/lockdown/Watchdog.h"

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
    GiveBackWhatAnEarlierLockLeft();
    StartWatchdog();
    CLockDlg lock;
    m_pMainWnd = &lock;
    const bool unlocked = lock.DoModal() == kLockUnlocked;
    m_pMainWnd = nullptr;
    // Only now, with everything given back and the cover gone: the owner
    // reads this at the desktop. The program ends when it is closed.
    const std::wstring report = FailedAttemptsReport(lock.RefusedEntries());
    if (unlocked && !report.empty()) ShowMessageOnPrimary(nullptr, report.c_str());
    return FALSE;
}
