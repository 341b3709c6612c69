#pragma once
#define IDD_FRAMEWORK_TEST 901
#define IDC_TEST_EDIT 10
#define IDC_TEST_BUTTON 11
