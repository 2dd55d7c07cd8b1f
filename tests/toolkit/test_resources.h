#pragma once

// In both the program and the module.
#define IDS_TK_TEST_BOTH 9100
// In the program only, in a string block the module also has.
#define IDS_TK_TEST_SAME_BLOCK 9101
// In the program only, in a block the module lacks.
#define IDS_TK_TEST_PROGRAM_ONLY 9190
#define IDD_TK_TEST_MODULE 9500
#define IDD_TK_TEST_PROGRAM 9501
#define IDM_TK_TEST_BOTH 9600
// Image strips and tool bars of the image-manager tests.
#define IDB_TK_TEST_STRIP 9700
#define IDB_TK_TEST_ALPHA_STRIP 9702
#define IDR_TK_TEST_TOOLBAR 9700
#define IDR_TK_TEST_SEPARATORS 9701
#define IDB_TK_TEST_SEPARATORS 9701
#define ID_TK_TEST_FIRST 801
// The commands of the module's tool bar IDR_TK_TEST_TOOLBAR.
#define ID_TK_TEST_MODULE_TOOL 811
// A command whose string gives a control its prompt, and a menu whose
// first submenu fills a popup control.
#define IDS_TK_TEST_COMMAND_PROMPT 2101
#define IDS_TK_TEST_COMMAND_UNKNOWN 2102
#define IDM_TK_TEST_TOOLS 9610
// The menu and resource id of the MDI test children.
#define IDM_TK_TEST_CHILD 9611
// The menu of the keyboard tests: underlined, plain and shared letters.
#define IDM_TK_TEST_KEYS 9612
// A frame loaded from the tools menu also finds its shortcuts under that id.
#define IDR_TK_TEST_ACCEL IDM_TK_TEST_TOOLS
