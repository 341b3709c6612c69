#include <gtest/gtest.h>

#include "MouseDecision.h"

TEST(MouseDecision, OnlyAWindowShownSeenAndSolidUnderThePointerTakesTheClick) {
    const TopWindow lock{true, kExStyleLayered, true, false};
    EXPECT_TRUE(TakesClick(lock));
    TopWindow transparentOnly = lock;
    transparentOnly.exStyle = kExStyleTransparent;
    EXPECT_TRUE(TakesClick(transparentOnly));

    TopWindow clickThrough = lock;
    clickThrough.exStyle = kExStyleLayered | kExStyleTransparent;
    EXPECT_FALSE(TakesClick(clickThrough));
    // A lock left on another virtual desktop is no longer what the click
    // lands on: the window really under the pointer is.
    TopWindow cloaked = lock;
    cloaked.cloaked = true;
    EXPECT_FALSE(TakesClick(cloaked));
    TopWindow hidden = lock;
    hidden.shown = false;
    EXPECT_FALSE(TakesClick(hidden));
    TopWindow aside = lock;
    aside.underPointer = false;
    EXPECT_FALSE(TakesClick(aside));
}
