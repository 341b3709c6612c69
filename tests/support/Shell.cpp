#include "Shell.h"

#include <objbase.h>
#include <shlobj.h>

#include "Input.h"
#include "Wait.h"
#include "res/resource.h"
#include "framework/ScopedHandles.h"

std::wstring DesktopFolder() {
    wchar_t path[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, path, CSIDL_DESKTOP, FALSE);
    return path;
}

bool ReadShellLink(const std::wstring& file, ShellLink& link) {
    const ComApartment com;
    bool read = false;
    ComPtr<IShellLinkW> shellLink;
    ComPtr<IPersistFile> persist;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   shellLink.Out())) &&
        SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, persist.Out())) &&
        SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
        wchar_t text[6][MAX_PATH] = {};
        int icon = 0;
        PIDLIST_ABSOLUTE items = nullptr;
        if (SUCCEEDED(shellLink->GetIDList(&items)) && items) {
            SHGetPathFromIDListW(items, text[0]);
            CoTaskMemFree(items);
        }
        shellLink->GetPath(text[1], MAX_PATH, nullptr, SLGP_RAWPATH);
        shellLink->GetDescription(text[2], MAX_PATH);
        shellLink->GetArguments(text[3], MAX_PATH);
        shellLink->GetWorkingDirectory(text[4], MAX_PATH);
        shellLink->GetIconLocation(text[5], MAX_PATH, &icon);
        link = {text[0], text[1], text[2], text[3], text[4], text[5]};
        read = true;
    }
    return read;
}

HWND WaitForPopupMenu(DWORD processId, DWORD timeoutMs) {
    HWND menu = nullptr;
    WaitFor(
        [&] {
            menu = FindTopLevel(processId, [](HWND w) {
                wchar_t name[16] = {};
                GetClassNameW(w, name, 16);
                return std::wstring(name) == L"#32768" && IsWindowVisible(w);
            });
            return menu != nullptr;
        },
        timeoutMs);
    return menu;
}

bool CreateShortcutFromSettings(HWND settings) {
    const std::wstring link = DesktopFolder() + L"\\Quilmar.LNK";
    DWORD processId = 0;
    GetWindowThreadProcessId(settings, &processId);
    if (!BringToFront(settings)) return false;
    ClickWindow(GetDlgItem(settings, IDC_MORE));
    if (!WaitForPopupMenu(processId)) return false;
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    ShellLink read;
    return WaitFor([&] { return ReadShellLink(link, read); });
}
