#pragma once
// The dialog base meant to paint a background brush or image. The lock
// window paints itself, so nothing of it remains but the link in the chain.
#include "controls/qtzCDynamicDialog.h"

class CBackgroundDlg : public qtzCDynamicDialog {
public:
    CBackgroundDlg(UINT templateId, CWnd* parent) : qtzCDynamicDialog(templateId, parent) {}
};
