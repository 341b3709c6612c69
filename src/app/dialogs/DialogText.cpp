#include "app/dialogs/DialogText.h"

#include "app/dialogs/PasswordText.h"
#include "app/dialogs/PrimaryPlacement.h"
#include "framework/WindowText.h"

std::wstring ReadTrimmedText(HWND dialog, int id) {
    std::wstring raw = ReadWindowText(GetDlgItem(dialog, id));
    std::wstring trimmed = TrimWhiteSpace(raw);
    WipeText(raw);
    return trimmed;
}

void ShowFieldMessage(HWND dialog, int id, const wchar_t* text) {
    SetFocus(GetDlgItem(dialog, id));
    ShowMessageOnPrimary(dialog, text);
}
