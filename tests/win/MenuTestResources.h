#pragma once
// Resource ids of the menu tests' own resources (menu_test.rc).

#define IDR_TEST_MENU 600
#define IDR_BROKEN_MENU 601
#define IDR_TOOLBAR_24 610     // 24 x 24 strip, a separator first
#define IDR_TOOLBAR_16 611     // 16 x 15 strip of 16 colours
#define IDR_TOOLBAR_PLAIN 612  // one command, the 16 x 15 strip
#define IDR_TOOLBAR_NO_STRIP 613  // 24 x 24 images, but no bitmap

#define ID_OPEN 40001
#define ID_SAVE_AS 40002
#define ID_RECENT 40003
#define ID_EXIT 40004
#define ID_COPY 40005
#define ID_PASTE 40006
#define ID_NOT_IN_MENU 40099
