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
