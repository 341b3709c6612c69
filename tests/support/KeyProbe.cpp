#include "KeyProbe.h"

#include <algorithm>
#include <string>

#include "Input.h"
#include "Wait.h"
#include "framework/ScopedHandles.h"

namespace {
// The hook procedure has no context pointer: one probe at a time.
CriticalSection g_probeLock;
std::wstring g_probeKeys;  // virtual keys seen going down
// A key every window ignores and the lock lets through.
const WORD kSyncKey = VK_RSHIFT;
}  // namespace

// What an earlier probe saw is not this one's.
KeyProbe::KeyProbe() : m_hook(WH_KEYBOARD_LL, &KeyProbe::Hook) {
    Clear();
}

LRESULT CALLBACK KeyProbe::Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && !(key->flags & LLKHF_UP)) {
        const CSectionLock lock(g_probeLock);
        g_probeKeys.push_back(static_cast<wchar_t>(key->vkCode));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool KeyProbe::SawKeyDown(DWORD vk) const {
    const CSectionLock lock(g_probeLock);
    return g_probeKeys.find(static_cast<wchar_t>(vk)) != std::wstring::npos;
}

bool KeyProbe::Sync() {
    PressKey(kSyncKey);
    const bool seen = WaitFor([this] { return SawKeyDown(kSyncKey); });
    const CSectionLock lock(g_probeLock);
    g_probeKeys.erase(std::remove(g_probeKeys.begin(), g_probeKeys.end(), kSyncKey), g_probeKeys.end());
    return seen;
}

void KeyProbe::Clear() {
    const CSectionLock lock(g_probeLock);
    g_probeKeys.clear();
}
