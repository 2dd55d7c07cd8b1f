// Ids of the toolkit's own resources (9000 up).
#pragma once

#define IDC_TK_SPLIT_COLUMNS 9008
#define IDC_TK_SPLIT_ROWS 9009
#define IDC_TK_DRAG_MOVE 9011
#define IDC_TK_SPLIT_BAR_COLUMNS 9970
#define IDC_TK_SPLIT_BAR_ROWS 9971
#define IDC_TK_CUSTOMIZE_RESIZE 9972
#define IDC_TK_HAND 9973

// The column header's context menus (the third popup is the header's) and
// the tool bar whose images its commands show.
#define IDM_TK_HEADER_MENUS 9014
#define IDR_TK_HEADER_MENU_IMAGES 9015
#define ID_TK_HEADER_SORT_ASCENDING 9158
#define ID_TK_HEADER_SORT_DESCENDING 9159
#define ID_TK_HEADER_ALIGN_LEFT 9160
#define ID_TK_HEADER_ALIGN_CENTER 9161
#define ID_TK_HEADER_ALIGN_RIGHT 9162

// Texts of a tool bar's expand popup and its reset question.
#define IDS_TK_ADD_REMOVE_BUTTONS 9300
#define IDS_TK_RESET_TOOLBAR_QUESTION 9349
#define IDS_TK_RESET 9395

// The system commands' images (restore, minimize, maximize, close) shown
// in a maximized MDI child's system menu.
#define IDB_TK_SYSTEM_COMMANDS 9407
#define IDS_TK_TOOLBAR_CHANGED 9394

// Tool tips of a docking pane's caption buttons, by button id.
#define IDS_TK_PANE_AUTO_HIDE 9900
#define IDS_TK_PANE_CLOSE 9901
#define IDS_TK_PANE_MAXIMIZE 9907
#define IDS_TK_PANE_RESTORE 9908
#define IDS_TK_PANE_MENU 9909
