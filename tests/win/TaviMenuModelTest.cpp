// The owner-drawn menu tree: loading menu resources, records, finding
// commands, mnemonics, resynchronising after plain menu calls, the
// accelerator column, clean destruction, and requests routed by handle.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "MenuTestResources.h"
#include "MenuTestSupport.h"
#include "resource.h"

namespace {

MENUITEMINFOW ItemInfo(HMENU menu, UINT position, wchar_t* text = nullptr, UINT textSize = 0) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_DATA | MIIM_ID | MIIM_STATE | (text ? MIIM_STRING : 0);
    info.dwTypeData = text;
    info.cch = textSize;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    return info;
}

// Commands the tests add to the test menu with plain menu calls.
constexpr UINT kZoom = 777, kFind = 778;

bool IsListed(HMENU menu) {
    return std::count(TaviMenu::s_popupHandles.begin(), TaviMenu::s_popupHandles.end(), menu) > 0;
}

// The test menu: File (Open, Save as, separator, Recent (a.txt, Copy), Exit)
// and Edit (Copy, Paste).
struct TestMenu {
    TestMenu() {
        EXPECT_TRUE(root.LoadMenu(IDR_TEST_MENU));
        file = root.GetPopup(0);
        edit = root.GetPopup(1);
        recent = file ? file->GetPopup(3) : nullptr;
        EXPECT_TRUE(file && edit && recent);
    }
    TaviMenu root;
    TaviMenu* file;
    TaviMenu* edit;
    TaviMenu* recent;
};

}  // namespace

TEST(TaviMenuModel, MoreOperationsMenuLoadsIntoAnOwnerDrawnPopup) {
    TaviMenu root;
    ASSERT_TRUE(root.LoadMenu(IDR_MORE_MENU));
    ASSERT_EQ(GetMenuItemCount(root.m_hMenu), 1);

    // The top level stays a plain text item leading to the pop-up.
    wchar_t text[32] = {};
    const MENUITEMINFOW top = ItemInfo(root.m_hMenu, 0, text, 32);
    EXPECT_FALSE(top.fType & MFT_OWNERDRAW);
    EXPECT_STREQ(text, L"Menu");
    TaviMenu* popup = root.GetPopup(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(top.hSubMenu, popup->m_hMenu);
    EXPECT_EQ(TaviMenu::FromHandle(popup->m_hMenu), popup);

    ASSERT_EQ(GetMenuItemCount(popup->m_hMenu), 1);
    ASSERT_EQ(popup->m_items.size(), 1u);
    const MENUITEMINFOW item = ItemInfo(popup->m_hMenu, 0);
    EXPECT_TRUE(item.fType & MFT_OWNERDRAW);
    EXPECT_EQ(item.dwItemData, reinterpret_cast<ULONG_PTR>(popup->m_items[0].get()));
    EXPECT_EQ(item.wID, static_cast<UINT>(ID_CREATE_SHORTCUT));
    std::wstring itemText;
    ASSERT_TRUE(popup->GetItemText(0, itemText));
    EXPECT_EQ(itemText, L"\u521b\u5efa\u684c\u9762\u5feb\u6377\u65b9\u5f0f");
    EXPECT_FALSE(popup->GetItemText(1, itemText));
    EXPECT_FALSE(popup->GetItemText(-1, itemText));
    EXPECT_EQ(popup->GetPopup(0), nullptr);

    EXPECT_TRUE(TaviMenu::IsOwnPopup(popup->m_hMenu));
    EXPECT_TRUE(TaviMenu::IsOwnPopup(popup));
    EXPECT_FALSE(TaviMenu::IsOwnPopup(root.m_hMenu));
    EXPECT_FALSE(TaviMenu::IsOwnPopup(static_cast<HMENU>(nullptr)));
}

TEST(TaviMenuModel, NestedPopupsSeparatorsAndItemStates) {
    TestMenu menu;
    ASSERT_EQ(menu.file->m_items.size(), 5u);
    ASSERT_EQ(GetMenuItemCount(menu.recent->m_hMenu), 2);

    const MenuItemRecord& separator = *menu.file->m_items[2];
    EXPECT_EQ(separator.m_nCommand, 0u);
    EXPECT_TRUE(separator.m_pszText.empty());
    EXPECT_EQ(separator.m_nFlags & (MF_SEPARATOR | MF_OWNERDRAW), static_cast<UINT>(MF_SEPARATOR | MF_OWNERDRAW));
    EXPECT_EQ(ItemInfo(menu.file->m_hMenu, 2).fType, static_cast<UINT>(MFT_SEPARATOR | MFT_OWNERDRAW));

    // The nested pop-up entry and the items inside it are owner-drawn too.
    const MENUITEMINFOW entry = ItemInfo(menu.file->m_hMenu, 3);
    EXPECT_TRUE(entry.fType & MFT_OWNERDRAW);
    EXPECT_EQ(entry.hSubMenu, menu.recent->m_hMenu);
    EXPECT_EQ(menu.file->m_items[3]->m_nCommand, reinterpret_cast<UINT_PTR>(menu.recent->m_hMenu));
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(ItemInfo(menu.recent->m_hMenu, static_cast<UINT>(i)).fType & MFT_OWNERDRAW);
    EXPECT_TRUE(TaviMenu::IsOwnPopup(menu.recent->m_hMenu));

    // States written in the resource reach the platform menu.
    EXPECT_TRUE(GetMenuState(menu.file->m_hMenu, ID_SAVE_AS, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(menu.edit->m_hMenu, ID_PASTE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(menu.file->m_items[1]->m_nImage, -1);
}

TEST(TaviMenuModel, FindCommandSearchesPopupsWhereTheyStand) {
    TestMenu menu;
    int position = 99;
    // Copy stands in Recent (inside File) and in Edit: Recent comes first.
    EXPECT_EQ(menu.root.FindCommand(ID_COPY, position), menu.recent);
    EXPECT_EQ(position, 1);
    TaviMenu::Visited visited = {{menu.recent, 1}};
    EXPECT_EQ(menu.root.FindNextCommand(ID_COPY, position, visited), menu.edit);
    EXPECT_EQ(position, 0);
    visited.emplace_back(menu.edit, 0);
    EXPECT_EQ(menu.root.FindNextCommand(ID_COPY, position, visited), nullptr);
    EXPECT_EQ(position, -1);

    EXPECT_EQ(menu.root.FindCommand(ID_EXIT, position), menu.file);
    EXPECT_EQ(position, 4);
    EXPECT_EQ(menu.root.FindCommand(ID_NOT_IN_MENU, position), nullptr);
    EXPECT_EQ(position, -1);

    // Places are positions of the live menu, also after plain menu calls:
    // each place of a command gets its icon, an item without a record gets
    // one, and the items around them stay as they were.
    ASSERT_TRUE(InsertMenuW(menu.edit->m_hMenu, 0, MF_BYPOSITION | MF_STRING, ID_OPEN, L"&Open"));
    EXPECT_EQ(menu.root.FindCommand(ID_PASTE, position), menu.edit);
    EXPECT_EQ(position, 2);
    // Shared icons last for the process: made with their variants, as the
    // other tests of this strip make them.
    const MenuSwitches switches;
    MenuSwitches::UseXPStyle(true);
    ASSERT_TRUE(menu.root.AddToolbarImages(IDR_TOOLBAR_24));
    const UINT commands[] = {ID_OPEN, ID_COPY, ID_PASTE};
    for (UINT i = 0; i < 3; ++i) {
        const MENUITEMINFOW info = ItemInfo(menu.edit->m_hMenu, i);
        EXPECT_EQ(info.wID, commands[i]) << i;
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << i;
        ASSERT_TRUE(menu.edit->HoldsItem(info.dwItemData)) << i;
        const auto& record = *reinterpret_cast<const MenuItemRecord*>(info.dwItemData);
        EXPECT_EQ(record.m_nCommand, commands[i]) << i;
        EXPECT_EQ(record.m_nImage, TaviMenu::FindSharedImage(commands[i])) << i;
    }
}

TEST(TaviMenuModel, MnemonicKeyExecutesTheFirstItemWithIt) {
    TestMenu menu;
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'c', MF_POPUP, menu.edit), MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'C', MF_POPUP, menu.edit), MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'p', MF_POPUP, menu.edit), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'a', MF_POPUP, menu.file), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'r', MF_POPUP, menu.file), MAKELRESULT(3, MNC_EXECUTE));
    // Letters without an ampersand before them, other menus, no menu.
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'z', MF_POPUP, menu.edit), 0);
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'o', MF_POPUP, menu.edit), 0);
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'c', MF_SYSMENU, menu.edit), 0);
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'c', MF_POPUP, nullptr), 0);

    // "&&" shows an ampersand and marks nothing; an enabled item takes the
    // key before a grayed one.
    ASSERT_TRUE(menu.edit->AppendItem(L"R&&D", MF_STRING, kFind));
    ASSERT_TRUE(menu.edit->AppendItem(L"&Print", MF_STRING, kZoom));
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'd', MF_POPUP, menu.edit), 0);
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'&', MF_POPUP, menu.edit), 0);
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'p', MF_POPUP, menu.edit), MAKELRESULT(3, MNC_EXECUTE));
}

TEST(TaviMenuModel, PlainMenuCallsAreTakenInBeforeTheNextMnemonic) {
    TestMenu menu;
    TaviMenu& edit = *menu.edit;
    MenuItemRecord* paste = edit.m_items[1].get();

    ASSERT_TRUE(AppendMenuW(edit.m_hMenu, MF_STRING, kZoom, L"&Zoom"));
    ASSERT_TRUE(InsertMenuW(edit.m_hMenu, 0, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr));
    const HMENU more = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuW(edit.m_hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"&More"));
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'z', MF_POPUP, &edit), MAKELRESULT(3, MNC_EXECUTE));

    ASSERT_EQ(edit.m_items.size(), 5u);
    const UINT commands[] = {0, ID_COPY, ID_PASTE, kZoom};
    for (int i = 0; i < 5; ++i) {
        const MENUITEMINFOW info = ItemInfo(edit.m_hMenu, static_cast<UINT>(i));
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << i;
        EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(edit.m_items[static_cast<size_t>(i)].get())) << i;
        if (i < 4) {
            EXPECT_EQ(edit.m_items[static_cast<size_t>(i)]->m_nCommand, commands[i]) << i;
        }
    }
    EXPECT_EQ(edit.m_items[2].get(), paste);  // kept, not made anew
    EXPECT_EQ(edit.m_items[3]->m_pszText, L"&Zoom");
    EXPECT_TRUE(ItemInfo(edit.m_hMenu, 0).fType & MFT_SEPARATOR);
    EXPECT_EQ(edit.m_items[4]->m_nCommand, reinterpret_cast<UINT_PTR>(more));
    EXPECT_EQ(edit.m_items[4]->m_pszText, L"&More");
    EXPECT_TRUE(edit.m_items[4]->m_nFlags & MF_POPUP);
    EXPECT_EQ(ItemInfo(edit.m_hMenu, 4).hSubMenu, more);

    // Removing items drops their records.
    ASSERT_TRUE(DeleteMenu(edit.m_hMenu, ID_COPY, MF_BYCOMMAND));
    ASSERT_TRUE(DeleteMenu(edit.m_hMenu, 0, MF_BYPOSITION));
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'p', MF_POPUP, &edit), MAKELRESULT(0, MNC_EXECUTE));
    ASSERT_EQ(edit.m_items.size(), 3u);
    EXPECT_EQ(edit.m_items[0].get(), paste);
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'c', MF_POPUP, &edit), 0);

    // Changes that keep the item count are taken in as well: a new text, and
    // an item put in place of another.
    ASSERT_TRUE(ModifyMenuW(edit.m_hMenu, 0, MF_BYPOSITION | MF_STRING, ID_PASTE, L"Pas&te"));
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L't', MF_POPUP, &edit), MAKELRESULT(0, MNC_EXECUTE));
    ASSERT_TRUE(DeleteMenu(edit.m_hMenu, 1, MF_BYPOSITION));
    ASSERT_TRUE(InsertMenuW(edit.m_hMenu, 1, MF_BYPOSITION | MF_OWNERDRAW, kFind, nullptr));
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'z', MF_POPUP, &edit), 0);
    EXPECT_EQ(edit.m_items.at(1)->m_nCommand, kFind);

    // A pop-up deleted with a plain call takes its object and handles along.
    TaviMenu& file = *menu.file;
    const HMENU recent = menu.recent->m_hMenu;
    ASSERT_TRUE(DeleteMenu(file.m_hMenu, 3, MF_BYPOSITION));
    EXPECT_EQ(TaviMenu::FindMnemonicItem(L'x', MF_POPUP, &file), MAKELRESULT(3, MNC_EXECUTE));
    EXPECT_EQ(MenuMap::Find(recent), nullptr);
    EXPECT_FALSE(IsListed(recent));
    EXPECT_TRUE(file.m_popups.empty());
}

TEST(TaviMenuModel, AcceleratorsStartInOneColumn) {
    TestMenu menu;
    const std::vector<std::wstring> labels = {L"&Open", L"Save &as", L"", L"&Recent", L"E&xit"};
    LONG column = 0;
    for (const std::wstring& label : labels) column = std::max(column, MenuTextWidth(label + L' '));

    std::wstring open, saveAs, exit;
    ASSERT_TRUE(menu.file->GetItemText(0, open));
    ASSERT_TRUE(menu.file->GetItemText(1, saveAs));
    ASSERT_TRUE(menu.file->GetItemText(4, exit));
    for (const auto& [text, label, accelerator] :
         {std::tuple(open, L"&Open", L"\tCtrl+O"), std::tuple(saveAs, L"Save &as", L"\tCtrl+Shift+S")}) {
        const size_t tab = text.find(L'\t');
        ASSERT_NE(tab, std::wstring::npos) << text.c_str();
        const std::wstring padded = text.substr(0, tab);
        EXPECT_EQ(text.substr(tab), accelerator);
        // The label followed by spaces only, as few as reach the column.
        EXPECT_EQ(padded.find_last_not_of(L' ') + 1, std::wcslen(label)) << padded.c_str();
        EXPECT_EQ(padded.substr(0, std::wcslen(label)), label);
        EXPECT_GE(MenuTextWidth(padded), column);
        if (padded.size() > std::wcslen(label)) {
            EXPECT_LT(MenuTextWidth(padded.substr(0, padded.size() - 1)), column);
        }
    }
    EXPECT_EQ(exit, L"E&xit");
}

TEST(TaviMenuModel, DestroyingTheRootFreesTheWholeTree) {
    const size_t listedBefore = TaviMenu::s_popupHandles.size();
    auto root = std::make_unique<TaviMenu>();
    ASSERT_TRUE(root->LoadMenu(IDR_TEST_MENU));
    const std::vector<HMENU> popups = {root->GetPopup(0)->m_hMenu, root->GetPopup(0)->GetPopup(3)->m_hMenu,
                                       root->GetPopup(1)->m_hMenu};
    EXPECT_EQ(TaviMenu::s_popupHandles.size(), listedBefore + 3);

    // Loading again replaces the tree.
    ASSERT_TRUE(root->LoadMenu(IDR_TEST_MENU));
    for (HMENU popup : popups) {
        EXPECT_FALSE(IsMenu(popup));
        EXPECT_EQ(MenuMap::Find(popup), nullptr);
    }
    EXPECT_EQ(TaviMenu::s_popupHandles.size(), listedBefore + 3);

    std::vector<HMENU> handles = {root->m_hMenu, root->GetPopup(0)->m_hMenu, root->GetPopup(0)->GetPopup(3)->m_hMenu,
                                  root->GetPopup(1)->m_hMenu};
    root.reset();
    for (HMENU handle : handles) {
        EXPECT_FALSE(IsMenu(handle));
        EXPECT_EQ(MenuMap::Find(handle), nullptr);
        EXPECT_FALSE(IsListed(handle));
    }
    EXPECT_EQ(TaviMenu::s_popupHandles.size(), listedBefore);

    TaviMenu menu;
    EXPECT_FALSE(menu.DestroyMenu());
    ASSERT_TRUE(menu.LoadMenu(IDR_MORE_MENU));
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(menu.m_hMenu, nullptr);
    EXPECT_FALSE(menu.DestroyMenu());
    EXPECT_EQ(TaviMenu::s_popupHandles.size(), listedBefore);
}

TEST(TaviMenuModel, MissingOrMalformedResourceKeepsTheMenuItHad) {
    TaviMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_MORE_MENU));
    const HMENU loaded = menu.m_hMenu;
    const HMENU popup = menu.GetPopup(0)->m_hMenu;

    EXPECT_FALSE(menu.LoadMenu(IDR_BROKEN_MENU));
    EXPECT_FALSE(menu.LoadMenu(9999));
    EXPECT_FALSE(menu.LoadMenu(L"NoSuchMenu"));
    EXPECT_EQ(menu.m_hMenu, loaded);
    EXPECT_TRUE(IsMenu(popup));
    ASSERT_NE(menu.GetPopup(0), nullptr);
    EXPECT_EQ(menu.GetPopup(0)->m_items.size(), 1u);
}

namespace {

// An owner window that hands menu requests to the menu map, as the flat
// button does, and ends the menu once its items have been painted.
struct MenuOwner {
    int measured = 0;
    int measuredUnrouted = 0;
    std::set<ULONG_PTR> drawnItems;
    int drawnUnrouted = 0;
    HMENU drawnMenu = nullptr;
    size_t itemCount = 0;
    HWND hWnd = nullptr;

    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* owner = reinterpret_cast<MenuOwner*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        switch (message) {
        case WM_MEASUREITEM:
            if (MenuMap::MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
                ++owner->measured;
            else
                ++owner->measuredUnrouted;
            return TRUE;
        case WM_DRAWITEM: {
            auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (MenuMap::DrawItem(draw)) {
                owner->drawnItems.insert(draw->itemData);
                owner->drawnMenu = reinterpret_cast<HMENU>(draw->hwndItem);
            } else {
                ++owner->drawnUnrouted;
            }
            return TRUE;
        }
        case WM_ENTERIDLE:
            if (owner->drawnItems.size() >= owner->itemCount) EndMenu();
            return 0;
        case WM_TIMER:  // the menu never went idle with its items painted
            EndMenu();
            return 0;
        }
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
};

}  // namespace

TEST(TaviMenuModel, PlatformRequestsReachThePopupThatHoldsTheItem) {
    TestMenu menu;
    WNDCLASSW wc{};
    wc.lpfnWndProc = &MenuOwner::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuilmarMenuOwner";
    RegisterClassW(&wc);
    MenuOwner owner;
    owner.itemCount = menu.file->m_items.size();
    owner.hWnd = CreateWindowExW(0, wc.lpszClassName, L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                 nullptr, wc.hInstance, nullptr);
    ASSERT_NE(owner.hWnd, nullptr);
    SetWindowLongPtrW(owner.hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&owner));
    SetForegroundWindow(owner.hWnd);
    SetTimer(owner.hWnd, 1, 20000, nullptr);

    TrackPopupMenu(menu.file->m_hMenu, TPM_LEFTALIGN | TPM_TOPALIGN, 10, 10, 0, owner.hWnd, nullptr);
    DestroyWindow(owner.hWnd);

    EXPECT_GE(owner.measured, static_cast<int>(owner.itemCount));
    EXPECT_EQ(owner.measuredUnrouted, 0);
    EXPECT_EQ(owner.drawnUnrouted, 0);
    EXPECT_EQ(owner.drawnMenu, menu.file->m_hMenu);
    for (const auto& record : menu.file->m_items)
        EXPECT_EQ(owner.drawnItems.count(reinterpret_cast<ULONG_PTR>(record.get())), 1u) << record->m_pszText.c_str();
}
