// Resource ids of the program's dialogs and skins (dialogs.rc).
#pragma once

// Templates.
#define IDD_ABOUTBOX 100
#define IDD_DRIVE_INFO 194
#define IDD_APP_MESSAGE 204  // never displayed: the messages show in the HTML message box
#define IDD_RECOVERY_SETTINGS 206
#define IDD_HTML_PAGE 225  // the HTML viewer's page window
#define IDD_WEB_VIEW_PANEL 300  // the child dialog over the web view
#define IDD_DEVICE_NOT_FOUND 396

// Skin bitmaps painted under the dialogs.
#define IDB_DRIVE_INFO_SKIN 202
#define IDB_SETTINGS_SKIN 208  // also under Device Not Found
#define IDB_ABOUT_SKIN 311

// Recovery Settings.
#define IDC_SECTORS_GROUP 1016
#define IDC_DUPLICATES_GROUP 1017
#define IDC_DELETED_GROUP 1018
#define IDC_BAD_SECTORS_GROUP 1019
#define IDC_SECTORS_LABEL 1047
#define IDC_SECTORS_PER_READ 1046
#define IDC_RENAME_DUPLICATES 1048
#define IDC_OVERWRITE_DUPLICATES 1049
#define IDC_SKIP_DUPLICATES 1050
#define IDC_INCLUDE_DELETED 1051
#define IDC_ONLY_DELETED 1052
#define IDC_EXCLUDE_DELETED 1053
#define IDC_RETRIES_LABEL 1054
#define IDC_BAD_SECTOR_RETRIES 1055

// Drive Information: labels, then the value beside each.
#define IDC_FILE_SYSTEM_LABEL 1016
#define IDC_START_SECTOR_LABEL 1017
#define IDC_DIRECTORIES_LABEL 1018
#define IDC_FILES_LABEL 1019
#define IDC_SPC_LABEL 1020
#define IDC_FIRST_FAT_LABEL 1029
#define IDC_SECOND_FAT_LABEL 1030
#define IDC_MFT_START_LABEL 1031
#define IDC_FILE_SYSTEM_VALUE 1021
#define IDC_DIRECTORIES_VALUE 1022
#define IDC_FILES_VALUE 1023
#define IDC_START_SECTOR_VALUE 1024
#define IDC_SPC_VALUE 1025
#define IDC_FIRST_FAT_VALUE 1026
#define IDC_SECOND_FAT_VALUE 1027
#define IDC_MFT_START_VALUE 1028

// Device Not Found.
#define IDC_NOT_FOUND_HEADING 1108
#define IDC_NOT_FOUND_TEXT 1109

// About.
#define IDC_ABOUT_PRODUCT 1043
#define IDC_ABOUT_MAKER 1044
#define IDC_ABOUT_WEB 1045
#define IDC_ABOUT_SPARE 1046
#define IDC_ABOUT_SALES 1102
#define IDC_ABOUT_SUPPORT 1103

// Program message template.
#define IDC_APP_MESSAGE_ICON 1041
