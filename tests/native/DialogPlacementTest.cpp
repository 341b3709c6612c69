#include <gtest/gtest.h>

#include "framework/DialogPlacement.h"

TEST(DialogPlacement, CentredWholeInTheWorkArea) {
    // A work area that leaves a taskbar at the bottom of a 1024 x 768 screen.
    const ScreenRect work{0, 0, 1024, 728};
    EXPECT_EQ(CentredOver(396, 255, work, work), (ScreenRect{314, 236, 710, 491}));
    // On a primary whose work area does not start at the origin.
    const ScreenRect shifted{40, 30, 1064, 798};
    EXPECT_EQ(CentredOver(100, 50, shifted, shifted), (ScreenRect{502, 389, 602, 439}));
    // Larger than the area: its top-left corner stays in, none of it is lost
    // above or to the left.
    EXPECT_EQ(CentredOver(1200, 800, work, work), (ScreenRect{0, 0, 1200, 800}));
    // Over an owner narrower than itself at the area's right edge: moved in
    // whole, as far as the area's edge and no further.
    EXPECT_EQ(CentredOver(400, 100, {900, 300, 1000, 400}, work), (ScreenRect{624, 300, 1024, 400}));
}
