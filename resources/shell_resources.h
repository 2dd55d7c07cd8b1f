// Resource ids of the program's frame, menu, start page and commands
// (mulvara.rc).
#pragma once

// The document template's resource: menu, icon and document string.
#define IDR_MAINFRAME 128
#define IDI_SNAPSHOT_DOCUMENT 129  // the second icon group: ",1" names it
// The archive list's header pictures.
#define IDI_ARCHIVE_FOLDER 161
#define IDI_ARCHIVE_FILE 164
#define IDS_APP_TITLE 57344

// Start page pictures.
#define IDB_MODE_STRIP 159  // the tips' animated strip, 32 x 32 frames
#define IDB_PAGE_BACKGROUND 252
#define IDB_STANDARD_HOVER 253
#define IDB_STANDARD_NORMAL 254
#define IDB_ADVANCE_HOVER 258
#define IDB_ADVANCE_NORMAL 259
#define IDB_RAW_NORMAL 260
#define IDB_RAW_HOVER 261
#define IDB_PAGE_BANNER 269
// The preview pane's notice cards, 202 x 140.
#define IDB_CARD_CORRUPTED 196
#define IDB_CARD_NOT_AVAILABLE 197
#define IDB_CARD_SELECT_FILE 211
#define IDB_CARD_TOO_LARGE 297
// The Access database tree's 16-pixel images on a magenta mask.
#define IDB_DATABASE_TREE 181

// Tool button pictures: normal, then hover.
#define IDB_TOOL_LOAD 370
#define IDB_TOOL_FIND 371
#define IDB_TOOL_HELP 372
#define IDB_TOOL_RECOVER 374
#define IDB_TOOL_SAVE 375
#define IDB_TOOL_SETTING 376
#define IDB_TOOL_RECOVER_HOT 381
#define IDB_TOOL_SAVE_HOT 382
#define IDB_TOOL_LOAD_HOT 383
#define IDB_TOOL_SETTING_HOT 384
#define IDB_TOOL_FIND_HOT 386
#define IDB_TOOL_HELP_HOT 387

// Start page controls.
#define IDC_STANDARD_SCAN 131
#define IDC_RAW_SCAN 132
#define IDC_ADVANCE_SCAN 133
#define IDC_PAGE_HINT 170

// Results page buttons shown after a snapshot is loaded.
#define IDC_RESULT_NEXT 159
#define IDC_RESULT_BACK 160
#define IDC_RESULT_START_OVER 61481

// Menu commands.
#define ID_RECOVER_SELECTED 32777
#define ID_LOAD_SNAPSHOT 32781
#define ID_VIEW_ICONS 32782
#define ID_FIND_FILES 32785
#define ID_FILE_FILTERS 32786
#define ID_SETTINGS 32787
#define ID_DRIVE_INFORMATION 32788
#define ID_EXIT_PROGRAM 32809
#define ID_SAVE_SNAPSHOT 32811
#define ID_VIEW_LIST_MODE 59410
#define ID_VIEW_DETAILS_MODE 59411
#define ID_HELP_FILE 57670
#define ID_CUSTOMIZE 35001

// The wizard pages' button bar.
#define ID_BAR_RECOVER 32822
#define ID_BAR_SAVE 32823
#define ID_BAR_LOAD 32824
#define ID_BAR_FIND 32825
#define ID_BAR_SETTING 32826
#define ID_BAR_HELP 32829
