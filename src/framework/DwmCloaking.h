#pragma once
// DWM's word on whether it shows a window at all. Windows 8 and later cloak
// windows they keep from view without hiding them, such as those on a
// virtual desktop the user has left: those still count as visible. The call
// is looked up at run time, in the system folder only: Windows 7 and Wine
// have no cloaking, and the program must start there. Header only, so the
// hook DLL can use it without the rest of the framework.
#include <windows.h>
#include <dwmapi.h>

#include "framework/ScopedHandles.h"

class DwmCloaking {
public:
    // Loads a library: never from DllMain.
    DwmCloaking()
        : m_dwmapi(LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)),
          m_getAttribute(m_dwmapi ? reinterpret_cast<GetAttributeFn>(reinterpret_cast<void*>(
                                        GetProcAddress(m_dwmapi.get(), "DwmGetWindowAttribute")))
                                  : nullptr) {}

    // False where the system cannot say.
    bool IsCloaked(HWND window) const {
        DWORD cloaked = 0;
        return m_getAttribute && SUCCEEDED(m_getAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) &&
               cloaked != 0;
    }

private:
    using GetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
    Library m_dwmapi;
    GetAttributeFn m_getAttribute;
};
