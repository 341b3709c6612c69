#include "clock/CSegmentGlyph.h"

namespace {
// The centre line sits on a whole unit, (size - 1) / 2, so mirrored
// outlines keep integer points.
int MirrorCoordinate(int value, int size) {
    return 2 * ((size - 1) / 2) - value;
}
}  // namespace

SegmentOutline CSegmentGlyph::MirrorX(const SegmentOutline& outline, int width) {
    SegmentOutline mirrored;
    for (const SegmentPoint& p : outline) mirrored.push_back({MirrorCoordinate(p.x, width), p.y});
    return mirrored;
}

SegmentOutline CSegmentGlyph::MirrorY(const SegmentOutline& outline) {
    SegmentOutline mirrored;
    for (const SegmentPoint& p : outline) mirrored.push_back({p.x, MirrorCoordinate(p.y, kGlyphHeight)});
    return mirrored;
}

SegmentOutline CSegmentGlyph::MirrorXY(const SegmentOutline& outline, int width) {
    return MirrorY(MirrorX(outline, width));
}
