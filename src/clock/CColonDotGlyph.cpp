#include "clock/CColonDotGlyph.h"

const SegmentOutlines& CColonDotGlyph::Table() {
    static const SegmentOutlines table = {
        {{4, 23}, {4, 32}, {13, 32}, {13, 23}},
        {{4, 50}, {4, 59}, {13, 59}, {13, 50}},
        {{4, 68}, {4, 77}, {13, 77}, {13, 68}},
    };
    return table;
}
