#pragma once
// The dialog base meant to keep child controls laid out on resizing. The
// lock window, its only user, never sets up a layout, so nothing of it
// remains but the link in the class chain.
#include "controls/CLockedDialog.h"

class qtzCDynamicDialog : public CLockedDialog {
public:
    qtzCDynamicDialog(UINT templateId, CWnd* parent) : CLockedDialog(templateId, parent) {}
};
