#pragma once
// Windows and surfaces for the segment display and clock tests: a host
// window with the clock's static control, and a memory surface to paint
// into and read back.
#include <windows.h>

#include "TestSurface.h"
#include "framework/CWnd.h"
#include "res/resource.h"

constexpr int kClockControlId = IDC_TIME;

// A visible top-level window holding a static control with the clock's id,
// as the lock window does.
class TestHost {
public:
    TestHost(int width, int height, const wchar_t* text = L"") {
        m_hParent = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        m_hChild = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE, 0, 0, width, height,
                                   m_hParent, reinterpret_cast<HMENU>(kClockControlId),
                                   GetModuleHandleW(nullptr), nullptr);
        m_parent.SubclassWindow(m_hParent);
    }
    ~TestHost() {
        if (IsWindow(m_hParent)) DestroyWindow(m_hParent);
    }
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    CWnd* Parent() { return &m_parent; }
    HWND Child() const { return m_hChild; }
    void Destroy() { DestroyWindow(m_hParent); }

private:
    HWND m_hParent;
    HWND m_hChild;
    CWnd m_parent;
};
