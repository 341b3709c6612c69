// Start-up time of the lock against a program that only shows one window,
// and the lock's memory, under the same conditions in the same run.
//   startup_bench [RUNS]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Drive.h"

namespace {

// Milliseconds from starting a process until `ready` holds, polled every
// millisecond, or -1.
double TimeUntil(const std::function<bool()>& start, const std::function<bool()>& ready) {
    const double begin = 1000 * Seconds();
    if (!start()) return -1;
    while (!ready()) {
        if (1000 * Seconds() - begin > 30000) return -1;
        Sleep(1);
    }
    return 1000 * Seconds() - begin;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool Covering(HWND lock) {
    RECT r;
    return lock && IsWindowVisible(lock) && (GetWindowLongW(lock, GWL_EXSTYLE) & WS_EX_LAYERED) &&
           GetWindowRect(lock, &r) && r.left <= 0 && r.top <= 0 &&
           r.right >= GetSystemMetrics(SM_CXSCREEN) && r.bottom >= GetSystemMetrics(SM_CYSCREEN);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 20;
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring bare = self;
    bare = bare.substr(0, bare.find_last_of(L'\\') + 1) + L"bare_window.exe";
    WaitForTaskbar();

    std::vector<double> bareTimes, lockTimes;
    SIZE_T peakWorkingSet = 0;
    for (int i = 0; i < runs; ++i) {
        PROCESS_INFORMATION process = {};
        const double t = TimeUntil(
            [&] {
                STARTUPINFOW startup = {};
                startup.cb = sizeof startup;
                std::wstring command = L"\"" + bare + L"\"";
                return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                      nullptr, &startup, &process) != FALSE;
            },
            [] {
                HWND w = FindWindowW(L"QuilmarBareWindow", nullptr);
                return w && IsWindowVisible(w);
            });
        if (t >= 0) bareTimes.push_back(t);
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);

        const std::wstring folder = MakeTempDir();
        {
            Locker locker(folder);
            const double u = TimeUntil([&] { return locker.Start(); },
                                       [] { return Covering(FindLockWindow()) && PolicyValueSet(L"DisableTaskMgr"); });
            if (u >= 0) lockTimes.push_back(u);
            // Locked with the settings dialog up: the most the lock holds.
            if (locker.WaitForDialog(1004)) {
                HANDLE lock = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, locker.ProcessId());
                PROCESS_MEMORY_COUNTERS memory = {};
                memory.cb = sizeof memory;
                if (lock && GetProcessMemoryInfo(lock, &memory, sizeof memory))
                    peakWorkingSet = std::max(peakWorkingSet, memory.PeakWorkingSetSize);
                if (lock) CloseHandle(lock);
            }
        }
        RemoveTree(folder);
    }
    if (bareTimes.empty() || lockTimes.empty()) {
        std::fputs("no successful run\n", stderr);
        return 1;
    }
    const double bareMedian = Median(bareTimes), lockMedian = Median(lockTimes);
    std::printf("start-up over %d runs: bare window %.1f ms, lock covering the screen with the lockdown on "
                "%.1f ms (medians); ratio %.2f\n",
                runs, bareMedian, lockMedian, lockMedian / bareMedian);
    std::printf("peak working set of quilmar.exe as Wine reports it: %.1f MiB\n",
                peakWorkingSet / (1024.0 * 1024.0));
    return 0;
}
