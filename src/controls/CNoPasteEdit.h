#pragma once
// An edit box that takes no paste, by any key or menu: what it holds must
// have been typed. The unlock password is one: a password left on the
// clipboard must not open the lock.
#include "framework/CWnd.h"

class CNoPasteEdit : public CWnd {
protected:
    LRESULT OnKeyDown(WPARAM key, LPARAM);

    DECLARE_MESSAGE_MAP()
};
