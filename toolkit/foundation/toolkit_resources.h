// Ids of the toolkit's own resources (9000 up).
#pragma once

#define IDC_TK_SPLIT_COLUMNS 9008
