// Ids of the toolkit's own resources (9000 up).
#pragma once

#define IDC_TK_SPLIT_COLUMNS 9008
#define IDC_TK_SPLIT_ROWS 9009
#define IDC_TK_DRAG_MOVE 9011
#define IDC_TK_SPLIT_BAR_COLUMNS 9970
#define IDC_TK_SPLIT_BAR_ROWS 9971
#define IDC_TK_CUSTOMIZE_RESIZE 9972
#define IDC_TK_HAND 9973
