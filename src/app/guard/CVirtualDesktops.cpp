#include "app/guard/CVirtualDesktops.h"

#include <objbase.h>
#include <shobjidl.h>

// mingw-w64 declares the interface only for programs that need Windows 10;
// this one starts on Windows 7 and asks for it at run time.
#ifndef __IVirtualDesktopManager_INTERFACE_DEFINED__
struct IVirtualDesktopManager : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE IsWindowOnCurrentVirtualDesktop(HWND window, BOOL* onCurrent) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetWindowDesktopId(HWND window, GUID* desktop) = 0;
    virtual HRESULT STDMETHODCALLTYPE MoveWindowToDesktop(HWND window, REFGUID desktop) = 0;
};
extern "C" const IID IID_IVirtualDesktopManager;  // a5cd92ff-29be-454c-8d04-d82879fb3f1b, in libuuid
#endif

CVirtualDesktops::CVirtualDesktops() {
    CreateComObject(CLSID_VirtualDesktopManager, IID_IVirtualDesktopManager, m_manager.Out());
}

CVirtualDesktops::~CVirtualDesktops() = default;

DesktopPlace CVirtualDesktops::PlaceOf(HWND window) const {
    BOOL current = FALSE;
    if (!m_manager || FAILED(m_manager->IsWindowOnCurrentVirtualDesktop(window, &current)))
        return DesktopPlace::unknown;
    return current ? DesktopPlace::current : DesktopPlace::other;
}

bool CVirtualDesktops::MoveToDesktopOf(HWND window, HWND there) const {
    GUID desktop = GUID_NULL;
    // A window shown on every desktop, such as the taskbar, is on none.
    return m_manager && there && SUCCEEDED(m_manager->GetWindowDesktopId(there, &desktop)) &&
           desktop != GUID_NULL && SUCCEEDED(m_manager->MoveWindowToDesktop(window, desktop));
}
