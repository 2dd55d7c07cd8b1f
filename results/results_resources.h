// Resource ids of the results browser's dialogs.
#pragma once

#define IDD_SAVING 223
#define IDC_SAVING_PROGRESS 1074
#define IDC_SAVING_FILE 1081
#define IDC_SAVING_CAPTION 1088
#define IDC_SAVING_COUNT 1089
#define IDD_DESTINATION 3230
#define IDC_DESTINATION_PATH 3231
#define IDC_DESTINATION_BROWSE 3232
