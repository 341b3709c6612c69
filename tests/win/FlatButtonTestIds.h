#pragma once
#define IDD_FLAT_BUTTON_TEST 960
#define IDC_FLAT_EDIT 961
#define IDC_FLAT_BUTTON 962
#define IDC_FLAT_NEXT 963
#define IDC_FLAT_WRAP 964
#define IDR_FLAT_PLAIN_MENU 965  // a command where the first pop-up should be
#define ID_FLAT_PLAIN 966
