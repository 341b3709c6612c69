#include "Dialogs.h"

#include "Input.h"
#include "Wait.h"
#include "res/resource.h"

namespace {

HWND Focus(HWND window) {
    return FocusWindowOf(GetWindowThreadProcessId(window, nullptr));
}

}  // namespace

HWND OwnedDialog(HWND owner, int controlId) {
    for (HWND w = GetTopWindow(nullptr); w && owner; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetWindow(w, GW_OWNER) == owner && IsWindowVisible(w) && GetDlgItem(w, controlId)) return w;
    }
    return nullptr;
}

bool TypeInto(HWND dialog, int box, const std::wstring& text) {
    HWND item = GetDlgItem(dialog, box);
    ClickWindow(item);
    if (!WaitFor([item] { return Focus(item) == item; })) return false;
    TypeText(text);
    return true;
}

bool AcceptSettings(HWND settings, const std::wstring& password) {
    HWND lock = GetWindow(settings, GW_OWNER);
    if (!settings || !BringToFront(settings) || !TypeInto(settings, IDC_PASSWORD, password) ||
        !TypeInto(settings, IDC_CONFIRM, password))
        return false;
    ClickWindow(GetDlgItem(settings, IDC_OK));
    // The lock writes the options, starts the clock and the hold-off
    // before its thread answers anything again.
    return WaitFor([settings] { return !IsWindow(settings); }) &&
           SendMessageTimeoutW(lock, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr);
}

HWND ShowPrompt(HWND lock) {
    if (!lock || !BringToFront(lock)) return nullptr;
    PressKey(VK_ESCAPE);
    HWND prompt = nullptr;
    const bool ready = WaitFor([&] {
        prompt = OwnedDialog(lock, IDC_SHUTDOWN);
        return prompt && Focus(prompt) == GetDlgItem(prompt, IDC_UNLOCK_PASSWORD);
    });
    return ready ? prompt : nullptr;
}

bool Unlock(HWND lock, const std::wstring& password) {
    if (!OwnedDialog(lock, IDC_SHUTDOWN) && !ShowPrompt(lock)) return false;
    TypeText(password);
    PressKey(VK_RETURN);
    return true;
}
