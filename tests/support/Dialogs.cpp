#include "Dialogs.h"

#include "Input.h"
#include "Wait.h"
#include "res/resource.h"

namespace {

// A failed step of a helper, with what it saw.
::testing::AssertionResult Failed(const char* step, const ::testing::AssertionResult& seen) {
    return ::testing::AssertionFailure() << step << ": " << seen.message();
}

}  // namespace

HWND OwnedDialog(HWND owner, int controlId) {
    for (HWND w = GetTopWindow(nullptr); w && owner; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetWindow(w, GW_OWNER) == owner && IsWindowVisible(w) && GetDlgItem(w, controlId)) return w;
    }
    return nullptr;
}

::testing::AssertionResult TypeInto(HWND dialog, int box, const std::wstring& text) {
    HWND item = GetDlgItem(dialog, box);
    if (::testing::AssertionResult clicked = ClickWindow(item); !clicked) return Failed("the pointer to the box", clicked);
    if (::testing::AssertionResult ready = WaitForKeysTo(item); !ready) return Failed("clicked the box", ready);
    TypeText(text);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult AcceptSettings(HWND settings, const std::wstring& password) {
    if (!settings) return ::testing::AssertionFailure() << "no settings dialog";
    HWND lock = GetWindow(settings, GW_OWNER);
    if (::testing::AssertionResult front = BringToFront(settings); !front) return Failed("the settings", front);
    for (int box : {IDC_PASSWORD, IDC_CONFIRM}) {
        if (::testing::AssertionResult typed = TypeInto(settings, box, password); !typed)
            return Failed(box == IDC_PASSWORD ? "the password" : "the password again", typed);
    }
    if (::testing::AssertionResult clicked = ClickWindow(GetDlgItem(settings, IDC_OK)); !clicked)
        return Failed("the pointer to OK", clicked);
    if (::testing::AssertionResult closed = WaitFor([settings] { return IsWindow(settings) != FALSE; }, Is(false));
        !closed) {
        HWND front = GetForegroundWindow();
        wchar_t told[256] = {};
        GetDlgItemTextW(front, 0xFFFF, told, 256);  // a message box's text
        return Failed("the settings closed by OK", closed)
               << "; " << DescribeKeyboard() << " saying \"" << std::wstring(told) << "\"; typed "
               << TextLength(GetDlgItem(settings, IDC_PASSWORD)) << " and "
               << TextLength(GetDlgItem(settings, IDC_CONFIRM)) << " characters";
    }
    // The lock writes the options, starts the clock and the hold-off
    // before its thread answers anything again.
    if (!SendMessageTimeoutW(lock, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr))
        return ::testing::AssertionFailure() << "the lock answered nothing for 30 s after the settings closed";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ShowPrompt(HWND lock, HWND* prompt) {
    if (!lock) return ::testing::AssertionFailure() << "no lock window";
    if (::testing::AssertionResult front = BringToFront(lock); !front) return Failed("the lock before Escape", front);
    PressKey(VK_ESCAPE);
    HWND shown = nullptr;
    if (!WaitFor([&] { return (shown = OwnedDialog(lock, IDC_SHUTDOWN)) != nullptr; }))
        return ::testing::AssertionFailure() << "no prompt after Escape; the foreground window "
                                             << Describe(GetForegroundWindow());
    if (::testing::AssertionResult ready = WaitForKeysTo(GetDlgItem(shown, IDC_UNLOCK_PASSWORD)); !ready)
        return Failed("the prompt", ready);
    if (prompt) *prompt = shown;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Unlock(HWND lock, const std::wstring& password) {
    HWND prompt = OwnedDialog(lock, IDC_SHUTDOWN);
    if (::testing::AssertionResult ready =
            prompt ? WaitForKeysTo(GetDlgItem(prompt, IDC_UNLOCK_PASSWORD)) : ShowPrompt(lock);
        !ready)
        return Failed("the prompt for the password", ready);
    TypeText(password);
    PressKey(VK_RETURN);
    return ::testing::AssertionSuccess();
}
