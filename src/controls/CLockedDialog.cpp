#include "controls/CLockedDialog.h"

BEGIN_MESSAGE_MAP(CLockedDialog, CDialog)
    ON_MESSAGE_RESULT(WM_APPCOMMAND, TRUE)
END_MESSAGE_MAP()
