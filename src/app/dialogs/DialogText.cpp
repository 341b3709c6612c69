#include "app/dialogs/DialogText.h"

#include "app/dialogs/PasswordText.h"
#include "app/dialogs/PrimaryPlacement.h"

std::wstring ReadTrimmedText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    std::wstring raw(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    raw.resize(static_cast<size_t>(GetWindowTextW(item, raw.data(), static_cast<int>(raw.size()))));
    std::wstring trimmed = TrimWhiteSpace(raw);
    WipeText(raw);
    return trimmed;
}

void ShowFieldMessage(HWND dialog, int id, const wchar_t* text) {
    SetFocus(GetDlgItem(dialog, id));
    ShowMessageOnPrimary(dialog, text);
}
