#pragma once
// Rectangles as the tests compare and show them: EXPECT_EQ and a failed
// wait print the corners instead of the bytes.
#include <windows.h>

#include <ostream>

// In the global namespace with RECT, where GoogleTest finds them.
bool operator==(const RECT& a, const RECT& b);
void PrintTo(const RECT& r, std::ostream* out);
