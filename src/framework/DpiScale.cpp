#include "framework/DpiScale.h"

int ScaleToDpi(int pixels, unsigned dpi) {
    return static_cast<int>((static_cast<long long>(pixels) * dpi + kStandardDpi / 2) / kStandardDpi);
}
