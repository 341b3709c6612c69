#pragma once
#include <windows.h>

#include <functional>

// Seconds on the performance counter, for measuring intervals.
double Seconds();

// Polls until the condition holds; false when the time ran out. Messages
// for this thread's windows are dispatched meanwhile.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 30000);
// The same, with each of this thread's messages handed to `handle`.
bool WaitFor(const std::function<bool()>& condition, const std::function<void(MSG&)>& handle,
             DWORD timeoutMs = 30000);
// Runs this thread's messages for a while: for checking that nothing happens.
void PumpFor(DWORD ms);
