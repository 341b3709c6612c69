#pragma once
// The dialog base meant to keep child controls laid out on resizing. The
// lock window, its only user, never sets up a layout, so nothing of it
// remains but the link in the class chain.
#include "framework/CDialog.h"

class qtzCDynamicDialog : public CDialog {
public:
    qtzCDynamicDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}
};
