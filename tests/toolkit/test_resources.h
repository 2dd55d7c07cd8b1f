#pragma once

// In both the program and the module.
#define IDS_TK_TEST_BOTH 9100
// In the program only, in a string block the module also has.
#define IDS_TK_TEST_SAME_BLOCK 9101
// In the program only, in a block the module lacks.
#define IDS_TK_TEST_PROGRAM_ONLY 9300
#define IDD_TK_TEST_MODULE 9500
#define IDD_TK_TEST_PROGRAM 9501
#define IDM_TK_TEST_BOTH 9600
