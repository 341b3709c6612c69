#include "controls/CNoPasteEdit.h"

// Ctrl+V comes as WM_PASTE; some edit controls paste Shift+Insert and the
// context menu's Paste without one, so neither gets that far.
BEGIN_MESSAGE_MAP(CNoPasteEdit, CWnd)
    ON_MESSAGE_RESULT(WM_PASTE, 0)
    ON_MESSAGE_RESULT(WM_CONTEXTMENU, 0)
    ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
END_MESSAGE_MAP()

LRESULT CNoPasteEdit::OnKeyDown(WPARAM key, LPARAM) {
    if (key == VK_INSERT && (GetKeyState(VK_SHIFT) & 0x8000)) return 0;
    return Default();
}
