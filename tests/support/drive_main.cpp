// Drives a running lock from the command line, for the run script's
// unattended demonstration on a virtual display. Each verb waits for what it
// needs and exits non-zero when it does not come.
#include <cstdio>
#include <string>

#include "Drive.h"
#include "res/resource.h"

namespace {

HWND FindOwnedDialog(int controlId) {
    HWND found = nullptr;
    WaitFor([&] {
        HWND lock = FindLockWindow();
        for (HWND w = GetTopWindow(nullptr); w && lock; w = GetWindow(w, GW_HWNDNEXT)) {
            if (GetWindow(w, GW_OWNER) == lock && IsWindowVisible(w) && GetDlgItem(w, controlId)) {
                found = w;
                return true;
            }
        }
        return false;
    });
    return found;
}

bool FillSettings(const std::wstring& password) {
    HWND settings = FindOwnedDialog(IDC_CONFIRM);
    if (!settings || !BringToFront(settings)) return false;
    TypeText(password);
    PressKey(VK_TAB);
    TypeText(password);
    ClickWindow(GetDlgItem(settings, IDC_OK));
    return WaitFor([settings] { return !IsWindowVisible(settings); });
}

bool ShowPrompt() {
    HWND lock = FindLockWindow();
    if (!lock || !BringToFront(lock)) return false;
    PressKey(VK_ESCAPE);
    return FindOwnedDialog(IDC_SHUTDOWN) != nullptr;
}

bool Unlock(const std::wstring& password) {
    if (!FindOwnedDialog(IDC_SHUTDOWN)) return false;
    TypeText(password);
    PressKey(VK_RETURN);
    return WaitFor([] { return FindLockWindow() == nullptr; });
}

bool PressShutdown() {
    HWND prompt = FindOwnedDialog(IDC_SHUTDOWN);
    if (!prompt || !IsWindowVisible(GetDlgItem(prompt, IDC_SHUTDOWN))) return false;
    ClickWindow(GetDlgItem(prompt, IDC_SHUTDOWN));
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    const std::wstring arg = argc > 2 ? argv[2] : L"";
    bool ok = false;
    if (verb == L"wait-lock") ok = WaitFor([] { return FindLockWindow() != nullptr; });
    else if (verb == L"wait-settings") ok = FindOwnedDialog(IDC_CONFIRM) != nullptr;
    else if (verb == L"fill-settings") ok = FillSettings(arg);
    else if (verb == L"show-prompt") ok = ShowPrompt();
    else if (verb == L"unlock") ok = Unlock(arg);
    else if (verb == L"shutdown") ok = PressShutdown();
    else if (verb == L"screensaver-active") {
        BOOL active = FALSE;
        SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
        return active ? 0 : 3;
    }
    else {
        std::fputs("usage: drive wait-lock | wait-settings | fill-settings PASSWORD | show-prompt | unlock PASSWORD | shutdown | screensaver-active\n", stderr);
        return 2;
    }
    if (!ok) std::fprintf(stderr, "drive %ls: timed out\n", verb.c_str());
    return ok ? 0 : 1;
}
