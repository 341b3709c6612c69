#pragma once
// One lock per session. A second one would cover the first, each one's
// guard swallowing the other's keys and clicks, and would take the first's
// 1s in the policy values for what was there before the lock.
#include "framework/ScopedHandles.h"

// The session's claim for this lock, kept as long as the returned handle
// is open: null when another lock of the session holds it (or it cannot be
// made). The handle is inheritable, so that the lock's watchdog holds the
// claim until it has given back what a killed lock had taken.
KernelHandle ClaimTheSession();
