#pragma once
// Sizes given for the standard 96 DPI, taken to the DPI a window is drawn at.

constexpr unsigned kStandardDpi = 96;

// `pixels` (not negative) at 96 DPI, at `dpi`, rounded to the nearest pixel
// with halves up, as the system scales its own metrics.
int ScaleToDpi(int pixels, unsigned dpi);
