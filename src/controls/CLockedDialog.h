#pragma once
// The base of every dialog shown while the screen is locked: the lock
// window, the settings and the unlock prompt. The launch keys (mail,
// browser, calculator) start nothing from any of them.
#include "framework/CDialog.h"

class CLockedDialog : public CDialog {
public:
    using CDialog::CDialog;

protected:
    DECLARE_MESSAGE_MAP()
};
