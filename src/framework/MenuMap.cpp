#include "framework/MenuMap.h"

#include <map>

namespace {

std::map<HMENU, MenuMap::Handler*>& Handlers() {
    static std::map<HMENU, MenuMap::Handler*> handlers;
    return handlers;
}

}  // namespace

void MenuMap::Add(HMENU menu, Handler* handler) {
    Handlers()[menu] = handler;
}

void MenuMap::Remove(HMENU menu) {
    Handlers().erase(menu);
}

MenuMap::Handler* MenuMap::Find(HMENU menu) {
    const auto it = Handlers().find(menu);
    return it == Handlers().end() ? nullptr : it->second;
}

BOOL MenuMap::DrawItem(DRAWITEMSTRUCT* draw) {
    if (draw->CtlType != ODT_MENU) return FALSE;
    Handler* handler = Find(reinterpret_cast<HMENU>(draw->hwndItem));
    if (!handler || !handler->HoldsItem(draw->itemData)) return FALSE;
    handler->DrawItem(draw);
    return TRUE;
}

BOOL MenuMap::MeasureItem(MEASUREITEMSTRUCT* measure) {
    if (measure->CtlType != ODT_MENU) return FALSE;
    for (const auto& [menu, handler] : Handlers()) {
        if (handler->HoldsItem(measure->itemData)) {
            handler->MeasureItem(measure);
            return TRUE;
        }
    }
    return FALSE;
}
