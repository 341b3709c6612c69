#include "clock/CSevenSegmentGlyph.h"

const SegmentOutlines& CSevenSegmentGlyph::Table() {
    static const SegmentOutlines table = [] {
        const SegmentOutline top = {{5, 4}, {12, 11}, {36, 11}, {43, 4}};
        const SegmentOutline upperLeft = {{4, 6}, {4, 40}, {11, 36}, {11, 13}};
        const SegmentOutline middle = {{6, 41}, {14, 45}, {34, 45}, {42, 41}, {34, 37}, {14, 37}};
        return SegmentOutlines{
            top,
            upperLeft,
            MirrorX(upperLeft, kWidth),
            middle,
            MirrorY(upperLeft),
            MirrorXY(upperLeft, kWidth),
            MirrorY(top),
        };
    }();
    return table;
}
