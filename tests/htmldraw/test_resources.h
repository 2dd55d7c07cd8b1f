// Resource ids of the drawer's test programs; the strip's id is the one the
// start page's tooltips name.
#pragma once

#define IDB_TEST_STRIP 159
#define IDB_TEST_PHOTO 160
#define IDS_TEST_STRING 161
