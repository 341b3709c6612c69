#pragma once
// Where the lock's dialogs go: the middle of the primary monitor's work
// area, where the clock is and where people look.
#include "framework/ScreenRect.h"

// A window of the given size centred in `area`, kept whole inside it; one
// larger than the area keeps its top-left corner in the area's.
ScreenRect CentredInArea(int width, int height, const ScreenRect& area);
