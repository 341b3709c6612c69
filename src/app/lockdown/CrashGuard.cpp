#include "app/lockdown/CrashGuard.h"

#include <windows.h>

#include <csignal>

#include "app/lockdown/Lockdown.h"

namespace {

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS*) {
    GiveBackAfterCrash();
    return EXCEPTION_EXECUTE_HANDLER;  // end the process quietly
}

void OnAbort(int) {
    GiveBackAfterCrash();
}

}  // namespace

void InstallCrashGuard() {
    // No error box: a dying lock must not sit on the screen waiting for a click.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(OnUnhandledException);
    std::signal(SIGABRT, OnAbort);
}
