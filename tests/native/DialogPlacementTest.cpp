#include <gtest/gtest.h>

#include "app/dialogs/DialogPlacement.h"

TEST(DialogPlacement, CentredWholeInTheWorkArea) {
    // A work area that leaves a taskbar at the bottom of a 1024 x 768 screen.
    const ScreenRect work{0, 0, 1024, 728};
    EXPECT_EQ(CentredInArea(396, 255, work), (ScreenRect{314, 236, 710, 491}));
    // On a primary whose work area does not start at the origin.
    EXPECT_EQ(CentredInArea(100, 50, {40, 30, 1064, 798}), (ScreenRect{502, 389, 602, 439}));
    // Larger than the area: its top-left corner stays in, none of it is lost
    // above or to the left.
    EXPECT_EQ(CentredInArea(1200, 800, work), (ScreenRect{0, 0, 1200, 800}));
}
