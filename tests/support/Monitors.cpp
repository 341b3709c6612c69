#include "Monitors.h"

#include <algorithm>
#include <cstdlib>

#include "Rects.h"
#include "SystemState.h"
#include "Wait.h"

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    auto& rects = *reinterpret_cast<std::vector<RECT>*>(list);
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        rects.insert(rects.begin(), info.rcMonitor);
    else
        rects.push_back(info.rcMonitor);
    return TRUE;
}

}  // namespace

std::vector<RECT> MonitorRects() {
    std::vector<RECT> rects;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&rects));
    return rects;
}

RECT PrimaryWorkArea() {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcWork;
}

bool SetMonitors(const std::wstring& layout) {
    // The sizes the layout asks for, the primary first.
    std::vector<SIZE> wanted;
    for (size_t at = 0; at < layout.size();) {
        const size_t end = std::min(layout.find(L',', at), layout.size());
        std::wstring monitor = layout.substr(at, end - at);
        const bool primary = monitor[0] == L'*';
        if (primary) monitor.erase(0, 1);
        const SIZE size{std::stol(monitor), std::stol(monitor.substr(monitor.find(L'x') + 1))};
        wanted.insert(primary ? wanted.begin() : wanted.end(), size);
        at = end + 1;
    }
    // The change is done once the system shows the new monitors. In a
    // session of its own, away from the console of the test: a signal to
    // its process group must not reach Wine's processes.
    if (!StartUnixCommand(L"setsid -w bash '" QUILMAR_SET_MONITORS L"' " + layout)) return false;
    const bool changed = WaitFor([&wanted] {
        const std::vector<RECT> rects = MonitorRects();
        if (rects.size() != wanted.size()) return false;
        for (size_t i = 0; i < rects.size(); ++i) {
            if (rects[i].right - rects[i].left != wanted[i].cx || rects[i].bottom - rects[i].top != wanted[i].cy)
                return false;
        }
        return true;
    });
    // Wine's desktop process takes the change in for a few seconds, and
    // answers no message meanwhile: a program that sends one to the taskbar
    // then would hang. The change is done once it answers again.
    return changed && WaitFor([] {
        DWORD_PTR answer = 0;
        return SendMessageTimeoutW(GetDesktopWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &answer) &&
               SendMessageTimeoutW(Taskbar(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &answer);
    });
}

::testing::AssertionResult IsCentredIn(const RECT& inner, const RECT& outer) {
    RECT both;
    const bool inside = IntersectRect(&both, &inner, &outer) && both == inner;
    const bool centred = std::abs((inner.left + inner.right) - (outer.left + outer.right)) <= 2 &&
                         std::abs((inner.top + inner.bottom) - (outer.top + outer.bottom)) <= 2;
    ::testing::AssertionResult result = inside && centred ? ::testing::AssertionSuccess()
                                                          : ::testing::AssertionFailure();
    const char* how = !inside ? " not inside " : centred ? " centred in " : " not centred in ";
    return result << ::testing::PrintToString(inner) << how << ::testing::PrintToString(outer);
}
