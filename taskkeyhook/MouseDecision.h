#pragma once
// Which top-level window a mouse button or the wheel lands on. No Windows
// calls: the mouse hook walks the windows from the top of the z-order and
// asks here about each, until one takes the click.

// Extended window styles the decision looks at, as Windows numbers them.
enum : unsigned {
    kExStyleTransparent = 0x00000020,
    kExStyleLayered = 0x00080000,
};

struct TopWindow {
    bool shown;  // visible by its style
    unsigned exStyle;
    bool underPointer;  // its rectangle holds the pointer
    // DWM shows nothing of it, though it counts as shown: a window on a
    // virtual desktop the user has left, or one the shell keeps from view.
    bool cloaked;
};

// True for a window that takes a click at the pointer: shown and seen, under
// the pointer, and not a layered window that lets clicks through (layered
// and transparent together; the lock is layered and takes them).
bool TakesClick(const TopWindow& window);
