#pragma once
#include <windows.h>
#include "HookThread.h"

// Records the keys a low-level keyboard hook sees. Hooks installed later
// are asked first, so a probe installed before the program's own hook sees
// only what that hook lets through.
class KeyProbe {
public:
    KeyProbe();

    bool SawKeyDown(DWORD vk) const;
    // Presses the right Shift and waits until the probe has seen it, so
    // every key pressed before has been through the hooks too. The right
    // Shift's own presses are not recorded.
    bool Sync();
    void Clear();

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

    HookThread m_hook;
};
