#pragma once
// What an owner-drawn menu item shows. A pointer to the record is the item's
// data in the platform menu, so every measure and draw request carries it.
#include <windows.h>

#include <string>

struct MenuItemRecord {
    // As shown: "&" may mark the mnemonic, a tab leads the accelerator text.
    std::wstring m_pszText;
    int m_nImage = -1;  // index in the shared image list; -1 for none
    UINT m_nFlags = 0;  // MF_ flags last given to the platform menu
    // Command id; for a pop-up entry the pop-up's handle; 0 for a separator.
    UINT_PTR m_nCommand = 0;
};
