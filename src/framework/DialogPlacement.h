#pragma once
// Where a dialog goes: centred over what it belongs to, and whole on its
// monitor's work area, as plain arithmetic without windows.h.
#include "framework/ScreenRect.h"

// A window of the given size centred over `over`, then moved the least to
// lie whole inside `area`; one larger than the area keeps its top-left
// corner in the area's.
ScreenRect CentredOver(int width, int height, const ScreenRect& over, const ScreenRect& area);
