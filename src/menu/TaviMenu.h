#pragma once
// A menu whose pop-up items draw themselves: loaded from a menu resource,
// every item of every pop-up becomes owner-drawn with a MenuItemRecord, and
// is measured and painted here in one of two looks, the classic one or the
// XP one (light icon band, tinted highlight, icons floating over a shadow).
//
// Measure and draw requests reach the object that holds the item through
// MenuMap: a menu's owner window hands WM_MEASUREITEM and WM_DRAWITEM to
// MenuMap::MeasureItem and MenuMap::DrawItem, and WM_MENUCHAR for an
// IsOwnPopup menu to FindMnemonicItem. Everything runs on the UI thread.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/DpiScale.h"
#include "framework/MenuMap.h"
#include "framework/ScopedHandles.h"
#include "menu/MenuGdi.h"
#include "menu/MenuItemRecord.h"
#include "menu/MenuMetrics.h"

class TaviMenu : public MenuMap::Handler {
public:
    TaviMenu() = default;
    TaviMenu(const TaviMenu&) = delete;
    TaviMenu& operator=(const TaviMenu&) = delete;
    virtual ~TaviMenu();

    // The object registered for a menu handle, or null.
    static TaviMenu* FromHandle(HMENU menu);

    // Builds the whole menu tree from a menu resource of the executable,
    // replacing the previous one. Top-level items stay plain text items;
    // pop-up items become owner-drawn. FALSE when the resource is missing or
    // malformed (the previous tree then stays) or no menu can be created.
    BOOL LoadMenu(UINT id);
    virtual BOOL LoadMenu(LPCWSTR name);
    // Frees the records, deletes the pop-up objects of this tree and
    // destroys the platform menu. Safe to call again.
    virtual BOOL DestroyMenu();

    // Appends an owner-drawn item; `id` 0 makes a separator, and with
    // MF_POPUP `id` is a pop-up handle whose object this menu then owns.
    BOOL AppendItem(const std::wstring& text, UINT flags, UINT_PTR id);
    // Gives every item of the command in this tree the image `index` of
    // `list`, through the shared image list.
    BOOL SetCommandImage(UINT command, HIMAGELIST list, int index);

    using Visited = std::vector<std::pair<const TaviMenu*, int>>;
    // The menu holding the first item with the command (pop-ups searched
    // where they stand, depth first) and its position; null and -1 if none.
    TaviMenu* FindCommand(UINT command, int& position);
    // The same, passing over the (menu, position) places in `visited`.
    TaviMenu* FindNextCommand(UINT command, int& position, const Visited& visited);

    // The object of the pop-up at a position; null when the item there is
    // not a pop-up of a TaviMenu.
    TaviMenu* GetPopup(int position) const;
    BOOL GetItemText(int position, std::wstring& text) const;
    // Rebuilds the records from the live menu after plain menu calls added,
    // removed or changed items; records of removed items, and the objects
    // of removed pop-ups, are freed.
    void ResyncItems();
    // Pads the labels of items with accelerators to one width, so the
    // accelerator texts start in one column.
    void PadAcceleratorColumn();

    static BOOL IsOwnPopup(HMENU menu);
    static BOOL IsOwnPopup(const TaviMenu* menu);
    // The reply to WM_MENUCHAR: execute the first item whose text marks the
    // character with "&" (ignoring case), preferring enabled items, or 0 to
    // ignore the key.
    static LRESULT FindMnemonicItem(UINT character, UINT flags, TaviMenu* menu);

    void MeasureItem(MEASUREITEMSTRUCT* measure) override;
    void DrawItem(DRAWITEMSTRUCT* draw) override;
    bool HoldsItem(ULONG_PTR itemData) const override;

    static int GetPlatformCode();
    // The user's theme is the classic one; read once per process.
    static BOOL IsClassicTheme();
    static BOOL IsXPThemed();
    static BOOL IsXPStyleActive();

    void SetImageSize(int width, int height);
    // The DPI of the window the menu opens from: its items are measured and
    // drawn at it, in this menu and its pop-ups.
    void SetDpi(UINT dpi);
    void SetImageMask(COLORREF color);
    // Takes the icons of the commands of toolbar resource `id` (type 241,
    // with the bitmap strip of the same id) that this tree holds.
    BOOL AddToolbarImages(UINT id);
    // Adds bitmap resource `id` to `list` as a strip of images of the list's
    // size, with the mask colour in force.
    BOOL AddBitmapImages(HIMAGELIST list, UINT id);
    // Stores image `index` of `source` as the command's shared icon (and its
    // faded and shadow variants when the XP style uses image effects),
    // replacing the command's images when it has some. Returns the icon's
    // shared index, -1 when the source has no such image.
    int AddSharedImage(HIMAGELIST source, int index, UINT_PTR command);
    static int FindSharedImage(UINT_PTR command);
    static BOOL HasImageVariants(int index);
    // The image drawn over the button face, in a bitmap of the icon cell size
    // compatible with `dc`; the caller deletes it.
    HBITMAP RenderImageToBitmap(HDC dc, HIMAGELIST list, int index) const;
    static void MakeFadedImage(HBITMAP bitmap);
    static void MakeShadowImage(HBITMAP bitmap);

    HMENU m_hMenu = nullptr;
    // Records in item position order.
    std::vector<std::unique_ptr<MenuItemRecord>> m_items;
    // Pop-ups appended as items; their objects belong to this menu.
    std::vector<HMENU> m_popups;
    int m_nImageWidth = 16;
    int m_nImageHeight = 15;
    COLORREF m_crImageMask = RGB(192, 192, 192);
    UINT m_nDpi = kStandardDpi;
    BOOL m_bImageMaskSet = FALSE;

    // Drawing style (XP, any other value classic) while the XP visual theme
    // is active, and otherwise.
    enum MenuStyle : int { kMenuStyleClassic = 0, kMenuStyleXP = 1 };
    static int s_nStyleThemed;
    static int s_nStyleUnthemed;
    static BOOL s_bClassicSelectDisabled;
    static BOOL s_bXPSelectDisabled;
    static BOOL s_bXPImageEffects;
    static int s_nPlatform;
    // Every pop-up handle appended as an item to any TaviMenu; may repeat.
    static std::vector<HMENU> s_popupHandles;
    static ImageList s_imageList;
    // The command of each image of s_imageList.
    static std::vector<UINT_PTR> s_imageCommands;

private:
    void Attach(HMENU menu);
    // Lets go of this tree's objects, records and handles, destroying no
    // platform menu.
    void Forget();
    static void ForgetPopup(HMENU popup);
    MENUITEMINFOW ItemInfo(int position) const;
    // The record of the live item at a position; null for an item that
    // plain menu calls put in.
    MenuItemRecord* RecordAt(int position) const;
    // The records stand for the live items, in their order.
    bool InSync() const;
    BOOL ModifyItem(int position, MenuItemRecord& record);
    std::wstring ReadItemText(int position) const;

    // The icon cell and the spaces of an item at m_nDpi.
    MenuItemMetrics Metrics(bool imageEffects) const;
    void DrawClassicItem(const DRAWITEMSTRUCT& draw);
    void DrawXPItem(const DRAWITEMSTRUCT& draw);
    // The icon embossed in place of the image, for a grayed item.
    void DrawDisabledIcon(HDC dc, int image, POINT origin, COLORREF background) const;
    static void DrawClassicCheck(HDC dc, const RECT& box, bool selected, bool dot);
    static void DrawXPCheck(HDC dc, const RECT& box, bool dot, COLORREF color);
    static void DrawCheckMark(HDC dc, int x, int y, COLORREF color);
    static void DrawRadioDot(HDC dc, int x, int y, COLORREF color);
    static void DrawDisabledImage(HDC dc, int x, int y, int width, int height, HBITMAP bitmap,
                                  COLORREF background);
};
