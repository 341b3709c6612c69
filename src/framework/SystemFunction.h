#pragma once
// A call of a system library looked up at run time, the library loaded from
// the system folder at the first call and kept: for libraries most runs of
// the program never need (COM, the shell), which then cost nothing at start.
// Under Wine, loading them before the lock can cover the screens takes tens
// of milliseconds. Null where the call is missing. Header only, like the
// handles that use it.
#include <windows.h>

template <class Function>
Function SystemFunction(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
