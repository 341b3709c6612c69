#pragma once
// Digits, space and minus: the classic seven segments.
#include "clock/CSegmentGlyph.h"

class CSevenSegmentGlyph : public CSegmentGlyph {
public:
    static constexpr int kWidth = 49;

    CSevenSegmentGlyph() : CSegmentGlyph(kWidth, Table()) {}

private:
    static const SegmentOutlines& Table();
};
