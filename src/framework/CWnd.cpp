#include "framework/CWnd.h"

#include <commctrl.h>

#include "framework/ForgedMessages.h"
#include "framework/WindowMap.h"

namespace {

// One binding per window, so one id in its subclass chain serves them all.
const UINT_PTR kSubclassId = 0;

// The control that sent a notification its own object may answer; null for
// other messages and for commands from menus and accelerators.
HWND NotifyingControl(UINT message, LPARAM lParam) {
    if (message == WM_COMMAND || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC))
        return reinterpret_cast<HWND>(lParam);
    if (message == WM_DRAWITEM) {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return draw->CtlType == ODT_MENU ? nullptr : draw->hwndItem;
    }
    return nullptr;
}

}  // namespace

CWnd::~CWnd() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    return hWnd ? WindowMap::Find(hWnd) : nullptr;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!hWnd || m_hWnd || FromHandle(hWnd)) return FALSE;
    WindowMap::Add(hWnd, this);
    m_hWnd = hWnd;
    PreSubclassWindow();
    // In the common controls' chain, whoever subclasses the window before
    // or after us, and lets go again, leaves our place in it alone.
    if (SetWindowSubclass(hWnd, &CWnd::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return TRUE;
    WindowMap::Remove(hWnd);
    m_hWnd = nullptr;
    return FALSE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return SubclassWindow(GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

void CWnd::Detach() {
    RemoveWindowSubclass(m_hWnd, &CWnd::SubclassProc, kSubclassId);
    WindowMap::Remove(m_hWnd);
    m_hWnd = nullptr;
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(MSG* msg) {
    for (HWND hWnd = msg->hwnd; hWnd; hWnd = GetParent(hWnd)) {
        CWnd* wnd = FromHandle(hWnd);
        if (wnd && wnd->PreTranslateMessage(msg)) return TRUE;
    }
    return FALSE;
}

const MessageMap* CWnd::GetThisMessageMap() {
    static const MessageEntry entries[] = {{0, 0, 0, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMap* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

const MessageEntry* CWnd::FindEntry(UINT message, UINT code, UINT id) const {
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MessageEntry* entry = map->entries; entry->handler; ++entry) {
            if (entry->message == message && entry->code == code && entry->id == id) return entry;
        }
    }
    return nullptr;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* control = FromHandle(NotifyingControl(message, lParam));
    LRESULT result = 0;
    if (control && control != this && control->ReflectNotification(message, wParam, lParam, result))
        return result;
    // The system tells only top-level windows of new colours; controls
    // that keep colours need to hear of it too.
    if (message == WM_SYSCOLORCHANGE && !(GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CHILD)) {
        EnumChildWindows(
            m_hWnd,
            [](HWND child, LPARAM) {
                SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
                return TRUE;
            },
            0);
    }
    const bool command = message == WM_COMMAND;
    if (const MessageEntry* entry = FindEntry(message, command ? HIWORD(wParam) : 0, command ? LOWORD(wParam) : 0))
        return entry->handler(this, wParam, lParam);
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const UINT reflected = WM_REFLECT_BASE + message;
    const MessageEntry* entry = FindEntry(reflected, message == WM_COMMAND ? HIWORD(wParam) : 0, 0);
    if (!entry) return FALSE;
    // Default() in a reflected handler must not repeat whatever message this
    // control is in the middle of (a paint, say): it reaches the control's
    // own procedure as the reflected message, which means nothing there.
    const CurrentMessage outer = m_current;
    m_current = {reflected, wParam, lParam};
    result = entry->handler(this, wParam, lParam);
    m_current = outer;
    return result != 0;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    // A forged destruction must neither run the window's handlers nor
    // unbind it while the window lives on.
    if (IsForgedWindowMessage(message)) return 0;
    auto* wnd = reinterpret_cast<CWnd*>(self);
    const CurrentMessage outer = wnd->m_current;
    wnd->m_current = {message, wParam, lParam};
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    wnd->m_current = outer;
    if (message == WM_NCDESTROY) wnd->Detach();
    return result;
}
