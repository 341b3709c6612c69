#pragma once
// The monitors of the test's display, and changing them while the test
// runs. A test binary gets several monitors from its ctest environment
// (QUILMAR_MONITORS, see tools/wine-session.sh) and a system DPI from
// QUILMAR_DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Every monitor's rectangle, the primary first.
std::vector<RECT> MonitorRects();
RECT PrimaryWorkArea();

// Rearranges the display's monitors as tools/set-monitors.sh does, e.g.
// L"1024x768+1280+256,1280x1024+0+0" (WxH+X+Y in X's coordinates, the
// primary first) to plug a second monitor in, L"1024x768+0+0" to take it
// away, L"1024x768+1280+256,*1280x1024+0+0" to make the second the primary.
// True once the system reports the new monitors; only on a display started
// with QUILMAR_MONITORS.
bool SetMonitors(const std::wstring& layout);

// Whether `inner` lies whole inside `outer`, and the centre of each within
// a pixel of the other's. Either way the result shows both.
::testing::AssertionResult IsCentredIn(const RECT& inner, const RECT& outer);
