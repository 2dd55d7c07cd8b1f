#include "standard_scan.h"

#include "engine_state.h"

// NTFS volumes are not read yet: the pass lists nothing.
void ScanMftRecords() { FreeStandardScanLists(); }
