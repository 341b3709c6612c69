// libFuzzer entry for the menu template reader: any bytes must be either
// refused with nothing kept, or read into a well-formed item sequence, and
// never read past their end (the sanitizers watch the reads).
#include <cstdlib>
#include <cstring>
#include <memory>

#include "menu/MenuTemplate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so that a read past the end lands outside it.
    const std::unique_ptr<uint8_t[]> bytes(new uint8_t[size]);
    if (size) std::memcpy(bytes.get(), data, size);

    std::vector<MenuTemplateItem> items;
    if (!ParseMenuTemplate(bytes.get(), size, items)) {
        if (!items.empty()) std::abort();
        return 0;
    }
    // Every level opened by a pop-up, and the outermost one, is closed once,
    // the last of them by the last item.
    long open = 1;
    for (const MenuTemplateItem& item : items) {
        if (item.flags & kMenuTemplateEnd) std::abort();
        if (item.text.find(u'\0') != std::u16string::npos) std::abort();
        if (item.flags & kMenuTemplatePopup) {
            if (item.levelsClosed != 0 || item.command != 0) std::abort();
            ++open;
        } else {
            open -= item.levelsClosed;
        }
        if (open < 0 || (open == 0 && &item != &items.back())) std::abort();
    }
    if (open != 0) std::abort();
    return 0;
}
