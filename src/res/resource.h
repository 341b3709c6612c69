#pragma once
// Resource and control ids shared by the resource script and the code.

#define IDI_MAIN 128

#define IDD_LOCK 102
#define IDD_SETTINGS 129
#define IDD_UNLOCK 131
#define IDR_MORE_MENU 132

// Lock window
#define IDC_LOCK 1000
#define IDC_UNLOCK 1001
#define IDC_TIME 1002

// Settings dialog and unlock prompt
#define IDC_PASSWORD 1003
#define IDC_CONFIRM 1004
#define IDC_OK 1006
#define IDC_CANCEL 1007
#define IDC_MORE 1008
#define IDC_UNLOCK_PASSWORD 1008
#define IDC_HOLD_OFF 1009
#define IDC_ALLOW_SHUTDOWN 1014
#define IDC_SHUTDOWN 1015
#define IDC_MODE_FIRST 1017  // four radio buttons, background modes 0 to 3
#define IDC_MODE_LAST 1020
#define IDC_MESSAGE 1021  // the owner's message for the locked screen

#define ID_CREATE_SHORTCUT 32771
