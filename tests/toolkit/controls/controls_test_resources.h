#pragma once

#define IDS_TEST_HEADING_NAME 9800
#define IDS_TEST_HEADING_SIZE 9801
// No string has this id.
#define IDS_TEST_MISSING 9802
