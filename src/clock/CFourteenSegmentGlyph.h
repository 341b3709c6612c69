#pragma once
// Letters and a few symbols: seven-segment frame plus centre bars and
// diagonals, with the middle bar split in two.
#include "clock/CSegmentGlyph.h"

class CFourteenSegmentGlyph : public CSegmentGlyph {
public:
    static constexpr int kWidth = 49;

    CFourteenSegmentGlyph() : CSegmentGlyph(kWidth, Table()) {}

private:
    static const SegmentOutlines& Table();
};
