// Resource ids of the scan wizard (wizard.rc).
#pragma once

// The drive trees' item icons, in the order of their image list.
#define IDI_TREE_DRIVE 148
#define IDI_TREE_CDROM 151
#define IDI_TREE_DISC 152
#define IDI_TREE_REMOVABLE 153
#define IDI_TREE_FLOPPY 154
#define IDI_TREE_DISK 155
#define IDI_TREE_COMPUTER 179

// The drive trees' cursor over an expand button (the hand cursors 264 and
// 265 are the widgets').
#define IDC_TREE_BUTTON 250

// Please Select.
#define IDD_PARTITION_CHOICE 301
#define IDC_USE_EXISTING 1091
#define IDC_SEARCH_PARTITION 1092
#define IDC_CHOICE_GROUP 1093

// The trees' check marks: state images 1 unchecked, 2 checked, 3 partly.
#define IDB_TREE_STATES 200

// The progress dialog.
#define IDD_PROGRESS 226
#define IDB_PROGRESS_SKIN 221
#define IDS_PROGRESS_CAPTION 61465
#define IDC_PROGRESS_PERCENT 1082
#define IDC_PROGRESS_BAR 1083

// File Types.
#define IDD_FILE_TYPES 237
#define IDC_FILE_TYPE_TREE 1085
#define IDC_FILE_TYPE_QUESTION 1101
#define IDC_FILE_SIZE_COMBO 1105
#define IDC_FILE_SIZE_LABEL 1107
#define ID_FILE_TYPE_MENU_FIRST 32003
#define ID_FILE_TYPE_MENU_LAST 32005
