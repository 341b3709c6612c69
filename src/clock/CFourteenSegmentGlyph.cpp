#include "clock/CFourteenSegmentGlyph.h"

const SegmentOutlines& CFourteenSegmentGlyph::Table() {
    static const SegmentOutlines table = [] {
        const SegmentOutline upperCentre = {{20, 13}, {20, 36}, {24, 40}, {28, 36}, {28, 13}};
        const SegmentOutline upperLeftDiagonal = {{5, 5}, {15, 35}, {20, 37}, {18, 25}};
        const SegmentOutline middleLeft = {{6, 41}, {14, 45}, {18, 45}, {22, 41}, {18, 37}, {14, 37}};
        const SegmentOutline upperLeft = {{4, 7}, {4, 40}, {11, 36}, {11, 26}};
        const SegmentOutline top = {{6, 4}, {11, 11}, {37, 11}, {42, 4}};
        return SegmentOutlines{
            upperCentre,
            upperLeftDiagonal,
            MirrorX(upperLeftDiagonal, kWidth),
            MirrorY(upperLeftDiagonal),
            MirrorXY(upperLeftDiagonal, kWidth),
            MirrorY(upperCentre),
            middleLeft,
            MirrorX(middleLeft, kWidth),
            upperLeft,
            MirrorY(upperLeft),
            MirrorY(top),
            MirrorXY(upperLeft, kWidth),
            MirrorX(upperLeft, kWidth),
            top,
        };
    }();
    return table;
}
