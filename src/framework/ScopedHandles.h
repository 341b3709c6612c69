#pragma once
// Every system handle the program and its tests own, freed (or put back) at
// the end of the scope that made it, on every path out of it. None can be
// copied: a handle has one owner. Header only, so the hook DLL can use it
// without the rest of the framework.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>
#include <type_traits>

#include "framework/SystemFunction.h"

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

// A pen, brush, font, bitmap or region.
template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

// An object selected into a context until the end of the scope.
class CSelectedObject {
public:
    CSelectedObject(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hOld(SelectObject(dc, object)) {}
    CSelectedObject(const CSelectedObject&) = delete;
    CSelectedObject& operator=(const CSelectedObject&) = delete;
    ~CSelectedObject() { SelectObject(m_hDC, m_hOld); }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// BeginPaint and EndPaint around a WM_PAINT handler.
class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(BeginPaint(hWnd, &m_ps)) {}
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { EndPaint(m_hWnd, &m_ps); }

    operator HDC() const { return m_hDC; }
    // The part of the window this paint must cover.
    const RECT& PaintRect() const { return m_ps.rcPaint; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
    HDC m_hDC;
};

// A window's drawing context (the screen's for a null window).
class WindowDC {
public:
    explicit WindowDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(GetDC(hWnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { ReleaseDC(m_hWnd, m_hDC); }

    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

struct MemoryDCDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
// A context made by CreateCompatibleDC.
using MemoryDC = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDCDeleter>;

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

struct ImageListDeleter {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
using ImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

struct WinEventHookDeleter {
    void operator()(HWINEVENTHOOK hook) const { UnhookWinEvent(hook); }
};
using WinEventHook = std::unique_ptr<std::remove_pointer_t<HWINEVENTHOOK>, WinEventHookDeleter>;

struct KernelHandleDeleter {
    // A file that would not open comes back as this rather than as null.
    void operator()(HANDLE handle) const {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};
// An event, thread, process, token or file.
using KernelHandle = std::unique_ptr<void, KernelHandleDeleter>;

struct MappedViewDeleter {
    void operator()(void* view) const { UnmapViewOfFile(view); }
};
// A view of a file mapping.
using MappedView = std::unique_ptr<void, MappedViewDeleter>;

struct LibraryDeleter {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
// A DLL loaded at run time.
using Library = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryDeleter>;

// COM on this thread for the scope. A thread that already has COM in
// another apartment model keeps it, and only a successful initialisation
// here is undone here.
class ComApartment {
public:
    ComApartment() {
        const auto initialize = SystemFunction<decltype(&CoInitialize)>(L"ole32.dll", "CoInitialize");
        m_hr = initialize ? initialize(nullptr) : E_FAIL;
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(m_hr)) SystemFunction<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize")();
    }

private:
    HRESULT m_hr;
};

// A new COM object, through COM loaded when first needed.
inline HRESULT CreateComObject(REFCLSID object, REFIID face, void** out) {
    const auto create = SystemFunction<decltype(&CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    return create ? create(object, nullptr, CLSCTX_ALL, face, out) : E_FAIL;
}

// One reference to a COM object.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (m_p) m_p->Release();
    }

    Interface* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // Where CreateComObject or QueryInterface puts the reference; only
    // for a pointer that holds none yet.
    void** Out() { return reinterpret_cast<void**>(&m_p); }

private:
    Interface* m_p = nullptr;
};

// A critical section that lives as long as its owner.
class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&m_cs); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    ~CriticalSection() { DeleteCriticalSection(&m_cs); }

private:
    friend class CSectionLock;
    CRITICAL_SECTION m_cs;
};

// Holds a critical section until the end of the scope.
class CSectionLock {
public:
    explicit CSectionLock(CriticalSection& section) : m_cs(section.m_cs) { EnterCriticalSection(&m_cs); }
    CSectionLock(const CSectionLock&) = delete;
    CSectionLock& operator=(const CSectionLock&) = delete;
    ~CSectionLock() { LeaveCriticalSection(&m_cs); }

private:
    CRITICAL_SECTION& m_cs;
};
