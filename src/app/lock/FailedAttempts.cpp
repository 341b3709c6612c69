#include "app/lock/FailedAttempts.h"

namespace {

std::wstring TwoDigits(unsigned value) {
    return {static_cast<wchar_t>(L'0' + value / 10 % 10), static_cast<wchar_t>(L'0' + value % 10)};
}

}  // namespace

void FailedAttempts::Add(unsigned atHour, unsigned atMinute, unsigned atSecond) {
    ++count;
    hour = atHour;
    minute = atMinute;
    second = atSecond;
}

std::wstring FailedAttemptsReport(const FailedAttempts& attempts) {
    if (attempts.count == 0) return L"";
    return L"锁定期间有 " + std::to_wstring(attempts.count) + L" 次输入了错误的密码，最近一次在 " +
           TwoDigits(attempts.hour) + L":" + TwoDigits(attempts.minute) + L":" + TwoDigits(attempts.second) +
           L"。";
}
