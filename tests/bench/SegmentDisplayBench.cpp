// Paints the lock's clock at the size it has on a 1920 x 1080 screen and
// prints what it costs: milliseconds per frame, then the CPU time and
// the clock's error over a run of the real timer, optionally with busy
// threads loading the machine. The error is taken as each text appears.
//   segment_bench [--frames N] [--run SECONDS] [--busy THREADS]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "ClockReader.h"
#include "Drive.h"
#include "clock/CElapsedTimeStatic.h"
#include "clock/ElapsedTimeFormat.h"

namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 540;
constexpr int kClockId = 1002;

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// Runs the clock's messages until `end`; returns the difference between
// each text and the true time since `start` at the moment it appeared.
std::vector<double> RunClock(const CElapsedTimeStatic& clock, double start, double end) {
    std::vector<double> errors;
    std::wstring shown = clock.GetText();
    for (double now; (now = Seconds()) < end;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
            if (clock.GetText() == shown) continue;
            shown = clock.GetText();
            errors.push_back(std::abs(TextSeconds(shown) - (Seconds() - start)));
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>((end - now) * 1000) + 1,
                                  QS_ALLINPUT);
    }
    return errors;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds of each of `frames` new texts reaching the screen, moving on
// a tenth each time as while locked: the whole control drawn anew through
// a paint, or a tick as the clock shows it, which copies the changed
// digits onto the screen at once (the first ten of a place draw them).
std::vector<double> TimeFrames(CElapsedTimeStatic& clock, int frames, bool whole) {
    std::vector<double> ms;
    for (int i = 0; i < frames; ++i) {
        const std::wstring text = *FormatElapsedTime(1, 2074 + i);
        const double start = Seconds();
        if (whole) {
            clock.Redraw();
            clock.SetText(text);
            UpdateWindow(clock.m_hWnd);
        } else {
            clock.SetText(text);
        }
        GdiFlush();
        ms.push_back((Seconds() - start) * 1000);
    }
    return ms;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int frames = 300;
    double runSeconds = 10;
    int busyThreads = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring option = argv[i];
        if (option == L"--frames") frames = _wtoi(argv[i + 1]);
        if (option == L"--run") runSeconds = _wtof(argv[i + 1]);
        if (option == L"--busy") busyThreads = _wtoi(argv[i + 1]);
    }

    const HWND host = CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, kWidth,
                                      kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight, host,
                    reinterpret_cast<HMENU>(kClockId), GetModuleHandleW(nullptr), nullptr);
    CWnd hostWnd;
    hostWnd.SubclassWindow(host);
    CElapsedTimeStatic clock;
    clock.SubclassDlgItem(kClockId, &hostWnd);
    clock.SetColours(RGB(0, 0, 0), RGB(255, 255, 0));
    clock.SetMode(1);
    UpdateWindow(host);

    for (bool whole : {true, false}) {
        const std::vector<double> ms = TimeFrames(clock, frames, whole);
        std::printf("paint %dx%d, %s: median %.3f ms per frame over %d frames (min %.3f, max %.3f)\n",
                    kWidth, kHeight, whole ? "whole control" : "a tick", Median(ms), frames,
                    *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()));
    }
    std::fflush(stdout);

    std::atomic<bool> done{false};
    std::vector<std::thread> busy;
    for (int i = 0; i < busyThreads; ++i)
        busy.emplace_back([&] {
            for (volatile unsigned spin = 0; !done; ++spin) {
            }
        });

    clock.SetMode(1);
    const double cpuBefore = ProcessCpuSeconds();
    const double start = Seconds();
    clock.Start();
    const std::vector<double> errors = RunClock(clock, start, start + runSeconds);
    const double wall = Seconds() - start;
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    clock.Stop();
    done = true;
    for (std::thread& thread : busy) thread.join();

    std::printf("clock running %.1f s with %d busy threads: ", wall, busyThreads);
    if (busyThreads == 0) std::printf("CPU %.2f %% of one core, ", 100 * cpu / wall);
    std::printf("error of a shown time: median %.3f s, largest %.3f s over %zu texts\n",
                Median(errors), *std::max_element(errors.begin(), errors.end()), errors.size());
    DestroyWindow(host);
    return 0;
}
