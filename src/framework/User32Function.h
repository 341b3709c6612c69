#pragma once
// A call of user32.dll looked up at run time, for calls that older systems
// lack: null where it is missing, so the program still starts there.
#include <windows.h>

template <class Function>
Function User32Function(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}
