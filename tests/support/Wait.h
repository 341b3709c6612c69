#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <type_traits>

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

// A value as a failed wait shows it. A window handle alone says nothing,
// so a window shows its class and title too.
std::string Describe(HWND window);
// A check that tells what it saw, by what it told.
std::string Describe(const ::testing::AssertionResult& check);
template <typename T>
std::string Describe(const T& value) {
    return ::testing::PrintToString(value);
}

// Polls `read` until `accept` takes the value it returned. A failure tells
// the value read last and how long the wait took, so that a test shows
// what it saw instead of a bare "false". Only an `accept` that takes the
// value makes this the WaitFor called, so a condition with a time limit or
// a message handler still goes to the ones above.
template <typename Read, typename Accept, typename Value = std::decay_t<std::invoke_result_t<Read&>>,
          typename = std::enable_if_t<std::is_invocable_r_v<bool, Accept&, const Value&>>>
::testing::AssertionResult WaitFor(Read read, Accept accept, DWORD timeoutMs = 30000) {
    std::optional<Value> last;
    const ULONGLONG start = GetTickCount64();
    if (WaitFor([&] { return accept(last.emplace(read())); }, timeoutMs)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "still " << Describe(*last) << " after " << GetTickCount64() - start
                                         << " ms";
}

// Accepts a value equal to `expected`.
template <typename T>
auto Is(T expected) {
    return [expected](const T& value) { return value == expected; };
}
