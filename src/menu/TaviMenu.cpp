#include "menu/TaviMenu.h"

#include <algorithm>

#include "menu/MenuTemplate.h"

namespace {

void EraseAll(std::vector<HMENU>& handles, HMENU menu) {
    handles.erase(std::remove(handles.begin(), handles.end(), menu), handles.end());
}

std::wstring LabelOf(const std::wstring& text) {
    return text.substr(0, text.find(L'\t'));
}

// Whether an "&" in the text marks `key` (lower case), case ignored.
bool MarksKey(std::wstring text, wchar_t key) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&') continue;
        ++i;  // the marked character, or the second half of "&&", which shows an ampersand
        if (text[i] == key && key != L'&') return true;
    }
    return false;
}

}  // namespace

int TaviMenu::s_nStyleThemed = kMenuStyleXP;
int TaviMenu::s_nStyleUnthemed = kMenuStyleClassic;
BOOL TaviMenu::s_bClassicSelectDisabled = TRUE;
BOOL TaviMenu::s_bXPSelectDisabled = FALSE;
BOOL TaviMenu::s_bXPImageEffects = TRUE;
int TaviMenu::s_nPlatform = TaviMenu::GetPlatformCode();
std::vector<HMENU> TaviMenu::s_popupHandles;

TaviMenu::~TaviMenu() {
    DestroyMenu();
}

TaviMenu* TaviMenu::FromHandle(HMENU menu) {
    return dynamic_cast<TaviMenu*>(MenuMap::Find(menu));
}

void TaviMenu::Attach(HMENU menu) {
    m_hMenu = menu;
    MenuMap::Add(menu, this);
}

BOOL TaviMenu::LoadMenu(UINT id) {
    return LoadMenu(MAKEINTRESOURCEW(id));
}

BOOL TaviMenu::LoadMenu(LPCWSTR name) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC resource = FindResourceW(module, name, RT_MENU);
    const HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const auto* bytes = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    std::vector<MenuTemplateItem> items;
    if (!bytes || !ParseMenuTemplate(bytes, SizeofResource(module, resource), items)) return FALSE;

    DestroyMenu();
    const HMENU bar = CreateMenu();
    if (!bar) return FALSE;
    Attach(bar);

    // The menus still taking items, innermost last.
    std::vector<TaviMenu*> open{this};
    for (const MenuTemplateItem& item : items) {
        const std::wstring text(item.text.begin(), item.text.end());
        if (item.flags & MF_POPUP) {
            auto popup = std::make_unique<TaviMenu>();
            const HMENU handle = CreatePopupMenu();
            if (!handle) {
                DestroyMenu();
                return FALSE;
            }
            popup->Attach(handle);
            open.back()->AppendItem(text, item.flags, reinterpret_cast<UINT_PTR>(handle));
            open.push_back(popup.release());  // owned by its parent from here on
        } else {
            open.back()->AppendItem(text, item.flags, item.command);
            for (int i = 0; i < item.levelsClosed; ++i) {
                open.back()->PadAcceleratorColumn();
                open.pop_back();
            }
        }
    }

    // The top level is a menu bar, drawn by the platform: plain text items.
    for (size_t i = 0; i < m_items.size(); ++i) {
        MenuItemRecord& record = *m_items[i];
        const UINT flags = MF_BYPOSITION | (record.m_nFlags & MF_POPUP ? MF_POPUP : MF_STRING);
        record.m_nFlags = flags;
        ModifyMenuW(m_hMenu, static_cast<UINT>(i), flags, record.m_nCommand, record.m_pszText.c_str());
    }
    return TRUE;
}

BOOL TaviMenu::DestroyMenu() {
    const HMENU menu = m_hMenu;
    Forget();
    // The platform destroys the pop-ups still in the menu along with it.
    return menu ? ::DestroyMenu(menu) : FALSE;
}

void TaviMenu::Forget() {
    for (auto it = m_popups.rbegin(); it != m_popups.rend(); ++it) ForgetPopup(*it);
    m_popups.clear();
    m_items.clear();
    EraseAll(s_popupHandles, m_hMenu);
    MenuMap::Remove(m_hMenu);
    m_hMenu = nullptr;
}

void TaviMenu::ForgetPopup(HMENU popup) {
    EraseAll(s_popupHandles, popup);
    if (TaviMenu* object = FromHandle(popup)) {
        object->Forget();
        delete object;
    }
}

BOOL TaviMenu::AppendItem(const std::wstring& text, UINT flags, UINT_PTR id) {
    if (id == 0)
        flags = (flags & MF_BYPOSITION) | MF_SEPARATOR | MF_OWNERDRAW;
    else
        flags |= MF_OWNERDRAW;
    if (flags & MF_POPUP) {
        const HMENU popup = reinterpret_cast<HMENU>(id);
        s_popupHandles.push_back(popup);
        m_popups.push_back(popup);
    }

    auto record = std::make_unique<MenuItemRecord>();
    record->m_pszText = text;
    record->m_nImage = FindSharedImage(id);
    record->m_nCommand = id;
    record->m_nFlags = flags;
    const BOOL appended = AppendMenuW(m_hMenu, flags, id, reinterpret_cast<LPCWSTR>(record.get()));
    // Records stand in item position order: one only for an appended item.
    if (appended) m_items.push_back(std::move(record));
    return appended;
}

BOOL TaviMenu::SetCommandImage(UINT command, HIMAGELIST list, int index) {
    Visited visited;
    BOOL modified = FALSE;
    int position;
    for (TaviMenu* menu = FindCommand(command, position); menu;
         menu = FindNextCommand(command, position, visited)) {
        // An item put in with plain menu calls has no record yet.
        if (!menu->RecordAt(position)) menu->ResyncItems();
        MenuItemRecord& record = *menu->RecordAt(position);
        record.m_nImage = AddSharedImage(list, index, command);
        record.m_nFlags = (record.m_nFlags & ~MF_BYPOSITION) | MF_OWNERDRAW;
        record.m_nCommand = command;
        visited.emplace_back(menu, position);
        // Each place by position with its own record: by command the platform
        // would find only the first place of a command that appears twice.
        modified = menu->ModifyItem(position, record);
    }
    return modified;
}

TaviMenu* TaviMenu::FindCommand(UINT command, int& position) {
    return FindNextCommand(command, position, {});
}

TaviMenu* TaviMenu::FindNextCommand(UINT command, int& position, const Visited& visited) {
    // The live menu, not the records: plain menu calls may have moved items.
    for (int i = 0; i < GetMenuItemCount(m_hMenu); ++i) {
        if (const HMENU sub = GetSubMenu(m_hMenu, i)) {
            TaviMenu* popup = FromHandle(sub);
            if (TaviMenu* found = popup ? popup->FindNextCommand(command, position, visited) : nullptr)
                return found;
        } else if (GetMenuItemID(m_hMenu, i) == command) {
            const std::pair<const TaviMenu*, int> place(this, i);
            if (std::find(visited.begin(), visited.end(), place) == visited.end()) {
                position = place.second;
                return this;
            }
        }
    }
    position = -1;
    return nullptr;
}

TaviMenu* TaviMenu::GetPopup(int position) const {
    const HMENU popup = GetSubMenu(m_hMenu, position);
    return popup ? FromHandle(popup) : nullptr;
}

BOOL TaviMenu::GetItemText(int position, std::wstring& text) const {
    if (position < 0 || static_cast<size_t>(position) >= m_items.size()) return FALSE;
    text = m_items[static_cast<size_t>(position)]->m_pszText;
    return TRUE;
}

MENUITEMINFOW TaviMenu::ItemInfo(int position) const {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    GetMenuItemInfoW(m_hMenu, static_cast<UINT>(position), TRUE, &info);
    return info;
}

MenuItemRecord* TaviMenu::RecordAt(int position) const {
    const ULONG_PTR data = ItemInfo(position).dwItemData;
    return HoldsItem(data) ? reinterpret_cast<MenuItemRecord*>(data) : nullptr;
}

bool TaviMenu::InSync() const {
    if (GetMenuItemCount(m_hMenu) != static_cast<int>(m_items.size())) return false;
    for (size_t i = 0; i < m_items.size(); ++i) {
        const MENUITEMINFOW info = ItemInfo(static_cast<int>(i));
        if (!(info.fType & MFT_OWNERDRAW) || info.dwItemData != reinterpret_cast<ULONG_PTR>(m_items[i].get()))
            return false;
    }
    return true;
}

BOOL TaviMenu::ModifyItem(int position, MenuItemRecord& record) {
    return ModifyMenuW(m_hMenu, static_cast<UINT>(position), record.m_nFlags | MF_BYPOSITION,
                record.m_nCommand, reinterpret_cast<LPCWSTR>(&record));
}

std::wstring TaviMenu::ReadItemText(int position) const {
    const UINT at = static_cast<UINT>(position);
    std::wstring text(static_cast<size_t>(std::max(0, GetMenuStringW(m_hMenu, at, nullptr, 0, MF_BYPOSITION))), L'\0');
    if (!text.empty())
        text.resize(static_cast<size_t>(
            GetMenuStringW(m_hMenu, at, text.data(), static_cast<int>(text.size()) + 1, MF_BYPOSITION)));
    return text;
}

void TaviMenu::ResyncItems() {
    // A record found again for an item is taken out of m_items; the records
    // left there at the end belong to removed items and go with it.
    const auto reuse = [this](UINT_PTR command) {
        for (auto& record : m_items)
            if (record && record->m_nCommand == command) return std::move(record);
        return std::unique_ptr<MenuItemRecord>();
    };
    const auto create = [](UINT flags, UINT_PTR command, std::wstring text) {
        auto record = std::make_unique<MenuItemRecord>();
        record->m_nFlags = flags;
        record->m_nCommand = command;
        record->m_pszText = std::move(text);
        return record;
    };

    std::vector<std::unique_ptr<MenuItemRecord>> synced;
    for (int position = 0; position < GetMenuItemCount(m_hMenu); ++position) {
        const UINT state = GetMenuState(m_hMenu, static_cast<UINT>(position), MF_BYPOSITION);
        std::unique_ptr<MenuItemRecord> record;
        if (state & MF_POPUP) {
            const auto popup = reinterpret_cast<UINT_PTR>(GetSubMenu(m_hMenu, position));
            std::wstring text = ReadItemText(position);
            if ((record = reuse(popup))) {
                if (!text.empty()) record->m_pszText = std::move(text);
            } else {
                // The high byte of a pop-up's state is its item count.
                record = create((state & 0xEF) | MF_BYPOSITION | MF_OWNERDRAW | MF_POPUP, popup, std::move(text));
                ModifyItem(position, *record);
            }
        } else if (state & MF_SEPARATOR) {
            if (!(record = reuse(0))) record = create(state | MF_BYPOSITION | MF_SEPARATOR | MF_OWNERDRAW, 0, {});
            ModifyItem(position, *record);
        } else {
            const UINT command = GetMenuItemID(m_hMenu, position);
            std::wstring text = ReadItemText(position);
            const UINT flags = state | MF_BYPOSITION | MF_OWNERDRAW;
            if ((record = reuse(command))) {
                record->m_nFlags = flags;
                if (!text.empty()) record->m_pszText = std::move(text);
            } else {
                record = create(flags, command, std::move(text));
            }
            ModifyItem(position, *record);
        }
        synced.push_back(std::move(record));
    }
    m_items = std::move(synced);

    // A pop-up that plain calls took out was destroyed with it (DeleteMenu)
    // or handed to the caller (RemoveMenu): its handles are not ours now.
    for (auto it = m_popups.begin(); it != m_popups.end();) {
        const auto handle = reinterpret_cast<UINT_PTR>(*it);
        const auto leadsThere = [handle](const auto& record) { return record->m_nCommand == handle; };
        if (std::any_of(m_items.begin(), m_items.end(), leadsThere)) {
            ++it;
        } else {
            ForgetPopup(*it);
            it = m_popups.erase(it);
        }
    }
}

void TaviMenu::SetDpi(UINT dpi) {
    m_nDpi = dpi;
    for (const HMENU popup : m_popups) {
        if (TaviMenu* object = FromHandle(popup)) object->SetDpi(dpi);
    }
}

void TaviMenu::PadAcceleratorColumn() {
    const GdiObject<HFONT> font = CreateMenuFont(m_nDpi);
    const WindowDC dc(MeasuringWindow());
    const CSelectedObject selected(dc, font.get());
    const auto width = [&dc](const std::wstring& text) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    };

    LONG column = 0;
    for (const auto& record : m_items) column = std::max(column, width(LabelOf(record->m_pszText) + L' '));
    for (const auto& record : m_items) {
        const size_t tab = record->m_pszText.find(L'\t');
        if (tab == std::wstring::npos) continue;
        std::wstring label = record->m_pszText.substr(0, tab);
        // A font whose space has no width could never reach the column.
        for (LONG current = width(label); current < column;) {
            const LONG wider = width(label + L' ');
            if (wider <= current) break;
            label += L' ';
            current = wider;
        }
        record->m_pszText = label + record->m_pszText.substr(tab);
    }
}

BOOL TaviMenu::IsOwnPopup(HMENU menu) {
    return menu && std::find(s_popupHandles.begin(), s_popupHandles.end(), menu) != s_popupHandles.end();
}

BOOL TaviMenu::IsOwnPopup(const TaviMenu* menu) {
    return menu && IsOwnPopup(menu->m_hMenu);
}

LRESULT TaviMenu::FindMnemonicItem(UINT character, UINT flags, TaviMenu* menu) {
    if (!menu || !(flags & MF_POPUP)) return 0;
    wchar_t key = static_cast<wchar_t>(character);
    CharLowerBuffW(&key, 1);
    if (!menu->InSync()) menu->ResyncItems();

    // A grayed item takes the key only when no enabled item has it.
    int grayed = -1;
    std::wstring text;
    for (int position = 0; menu->GetItemText(position, text); ++position) {
        if (!MarksKey(text, key)) continue;
        if (!(GetMenuState(menu->m_hMenu, static_cast<UINT>(position), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)))
            return MAKELRESULT(position, MNC_EXECUTE);
        if (grayed < 0) grayed = position;
    }
    return grayed < 0 ? 0 : MAKELRESULT(grayed, MNC_EXECUTE);
}

bool TaviMenu::HoldsItem(ULONG_PTR itemData) const {
    return std::any_of(m_items.begin(), m_items.end(), [itemData](const auto& record) {
        return reinterpret_cast<ULONG_PTR>(record.get()) == itemData;
    });
}
