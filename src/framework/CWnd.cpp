#include "framework/CWnd.h"

namespace {
const wchar_t kObjectProperty[] = L"Quilmar.CWnd";
}

CWnd::~CWnd() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    return hWnd ? static_cast<CWnd*>(GetPropW(hWnd, kObjectProperty)) : nullptr;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!hWnd || m_hWnd || FromHandle(hWnd)) return FALSE;
    if (!SetPropW(hWnd, kObjectProperty, this)) return FALSE;
    m_hWnd = hWnd;
    PreSubclassWindow();
    m_superProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return SubclassWindow(GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

void CWnd::Detach() {
    SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    RemovePropW(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
    m_superProc = nullptr;
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

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MessageEntry* entry = map->entries; entry->handler; ++entry) {
            if (entry->message != message) continue;
            if (message == WM_COMMAND &&
                (entry->code != HIWORD(wParam) || entry->id != LOWORD(wParam)))
                continue;
            return entry->handler(this, wParam, lParam);
        }
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_superProc ? CallWindowProcW(m_superProc, m_hWnd, message, wParam, lParam)
                       : ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CALLBACK CWnd::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandle(hWnd);
    if (!wnd) return ::DefWindowProcW(hWnd, message, wParam, lParam);
    const CurrentMessage outer = wnd->m_current;
    wnd->m_current = {message, wParam, lParam};
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    wnd->m_current = outer;
    if (message == WM_NCDESTROY) wnd->Detach();
    return result;
}
