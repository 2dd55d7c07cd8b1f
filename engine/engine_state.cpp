#include "engine_state.h"
#include <cstdio>

#include "app_message.h"
#include "advance/advance_lists.h"
#include "device/sector_access.h"
#include "engine_ui.h"
#include "file_recovery.h"
#include "folder_listing.h"
#include "found_lists.h"
#include "ntfs/mft_runs.h"
#include "ntfs/ntfs_record.h"
#include "raw/raw_lists.h"
#include "scan_control.h"
#include "settings.h"
#include "snapshot/snapshot.h"
#include "volumes/boot_params.h"
#include "volumes/partition_table.h"

void ResetEngineState() {
    FreeStandardScanLists();
    FreeAdvanceScanLists();
    AnalysedCount = 0;
    FreeCarvedFileList();
    FreeSignatureList();
    CarveSizeLimitMB = 3;
    ScanMode = kStandardScan;
    SelectedDriveIndex = 0;
    DriveKind = kPhysicalDrive;
    // The drive enumeration gives each slot the number of its drive.
    for (int n = 0; n < 10; ++n)
        std::snprintf(DeviceNameTable[n], sizeof DeviceNameTable[n], "\\\\.\\PhysicalDrive%d", n);
    SelectedDevicePath.clear();
    PartitionParameters = {};
    PartitionCount = 0;
    ScanRunning = 0;
    ScanStopFlag = 0;
    ShowScanProgress = 1;
    ParametersNotFound = 0;
    AdvancePassDone[0] = AdvancePassDone[1] = 0;
    SearchPartitionsRequested = 0;
    LoadingSnapshot = 0;
    ListWithProgress = 0;
    CurrentFolderItem = 0;
    SectorsPerRead = 60;
    DuplicatePolicy = 1;
    DeletedFilesPolicy = 1;
    BadSectorRetries = 3;
    FilterCount = 0;
    StopAllRecovery = 0;
    SkipCurrentFile = 0;
    RecoveredCount = 0;
    SetAppMessage(0, {});
    TreeProgressCount = 0;
    ProgressPercent = 0;
    RecoveredFileTime = 0;
    RecoveredFilePath.clear();
    FreeDataRunList();
    AttributeListCount = 0;
    MftRunStarts.clear();
    MftRunLengths.clear();
    MftRunCount = 0;
}
