#pragma once
// What the lockdown has taken from the system, as plain data: the lock keeps
// it where its watchdog can read it after the lock has died, so that either
// of them can give back exactly what is taken. No pointers, no constructors:
// the record lives in memory shared by two processes.
#include <cstdint>

// A registry value as it was before the lock changed it.
struct SavedRegistryValue {
    static constexpr std::uint32_t kMaxBytes = 256;

    std::uint32_t present;  // 0: there was none (or it was too large to keep)
    std::uint32_t type;     // the registry type, kRegDword for a DWORD
    std::uint32_t size;     // bytes used of data
    unsigned char data[kMaxBytes];
};

// The registry type number of a DWORD.
constexpr std::uint32_t kRegDword = 4;

// One policy value the lock sets to 1 while it is taken.
struct TakenPolicyValue {
    std::uint32_t taken;       // the lock's 1 is there, and a restore command waits in RunOnce
    std::uint32_t remembered;  // before holds what was there at the first lock of this run
    SavedRegistryValue before;
};

struct LockdownState {
    TakenPolicyValue taskManager;      // "DisableTaskMgr"
    TakenPolicyValue lockWorkstation;  // "DisableLockWorkstation"
    std::uint32_t taskbarLocked;
    std::uint32_t screenSaverHeldOff;
    std::uint32_t screenSaverWasActive;  // meaningful while held off
    std::uint32_t accessibilityHotkeys;  // a bit per feature whose hotkey is taken (AccessibilityHotkeyFlags.h)

    bool AnyTaken() const {
        return taskManager.taken || lockWorkstation.taken || taskbarLocked || screenSaverHeldOff ||
               accessibilityHotkeys;
    }
};
