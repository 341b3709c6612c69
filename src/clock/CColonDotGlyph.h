#pragma once
// The narrow glyph of ':' and '.': two dots and a point, each a square.
#include "clock/CSegmentGlyph.h"

class CColonDotGlyph : public CSegmentGlyph {
public:
    static constexpr int kWidth = 18;

    CColonDotGlyph() : CSegmentGlyph(kWidth, Table()) {}

private:
    static const SegmentOutlines& Table();
};
