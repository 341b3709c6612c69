#pragma once
#include "framework/CWinApp.h"

// One run of the program is one lock.
class CLockApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
