#include "app/lock/SessionClaim.h"

KernelHandle ClaimTheSession() {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    // "Local\" is the namespace of the session the program runs in.
    KernelHandle claim(CreateMutexW(&inherited, FALSE, L"Local\\Quilmar.Lock"));
    if (claim && GetLastError() == ERROR_ALREADY_EXISTS) claim.reset();
    return claim;
}
