#include "settings/DesktopShortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "settings/ShortcutPaths.h"

bool CreateDesktopShortcut(const std::wstring& appDir) {
    wchar_t desktop[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOP, FALSE)) return false;
    const std::optional<ShortcutPaths> paths = MakeShortcutPaths(appDir, desktop);
    if (!paths) return false;

    // A thread that already has COM in another apartment model keeps it,
    // and only a successful initialisation here is undone here.
    const HRESULT com = CoInitialize(nullptr);
    bool saved = false;
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_ALL, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        link->SetPath(paths->target.c_str());
        link->SetDescription(kShortcutName);
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            saved = SUCCEEDED(file->Save(paths->link.c_str(), TRUE));
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return saved;
}
