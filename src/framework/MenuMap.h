#pragma once
// Owner-drawn menus by handle. The platform asks a menu's owner window to
// measure and draw its owner-drawn items; this map leads those requests to
// the object that built the menu.
#include <windows.h>

class MenuMap {
public:
    // What an object registered for a menu handle does with its items.
    class Handler {
    public:
        virtual void MeasureItem(MEASUREITEMSTRUCT* measure) = 0;
        virtual void DrawItem(DRAWITEMSTRUCT* draw) = 0;
        // A measure request names no menu, only the item's data, so each
        // handler is asked whether the data is one of its items.
        virtual bool HoldsItem(ULONG_PTR itemData) const = 0;

    protected:
        ~Handler() = default;
    };

    static void Add(HMENU menu, Handler* handler);
    static void Remove(HMENU menu);
    static Handler* Find(HMENU menu);

    // For an owner window's WM_DRAWITEM and WM_MEASUREITEM: FALSE when the
    // request is not for an item of a registered menu.
    static BOOL DrawItem(DRAWITEMSTRUCT* draw);
    static BOOL MeasureItem(MEASUREITEMSTRUCT* measure);
};
