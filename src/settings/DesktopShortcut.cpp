#include "settings/DesktopShortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "framework/ScopedHandles.h"
#include "settings/ShortcutPaths.h"

bool CreateDesktopShortcut(const std::wstring& appDir) {
    wchar_t desktop[MAX_PATH] = {};
    const auto folderPath = SystemFunction<decltype(&SHGetSpecialFolderPathW)>(L"shell32.dll", "SHGetSpecialFolderPathW");
    if (!folderPath || !folderPath(nullptr, desktop, CSIDL_DESKTOP, FALSE)) return false;
    const std::optional<ShortcutPaths> paths = MakeShortcutPaths(appDir, desktop);
    if (!paths) return false;

    const ComApartment com;
    ComPtr<IShellLinkW> link;
    if (FAILED(CreateComObject(CLSID_ShellLink, IID_IShellLinkW, link.Out()))) return false;
    link->SetPath(paths->target.c_str());
    link->SetDescription(kShortcutName);
    ComPtr<IPersistFile> file;
    return SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Out())) &&
           SUCCEEDED(file->Save(paths->link.c_str(), TRUE));
}
