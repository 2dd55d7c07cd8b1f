#include "standard_scan.h"

#include <cstring>
#include <string>
#include <unordered_set>

#include "app_message.h"
#include "volumes/boot_params.h"
#include "byte_view.h"
#include "engine_ui.h"
#include "found_lists.h"
#include "fat/fat_chain.h"
#include "fat/fat_dir.h"
#include "folder_listing.h"
#include "device/logical_drives.h"
#include "scan_control.h"
#include "device/sector_access.h"

namespace {

const char16_t kNoParametersMessage[] =
    u"Mulvara was unable to find correct partition parameters. \r\n"
    u"Please go back to the first step and select Advance Scan \r\nfor recovery.";
const char16_t kCannotOpenMessage[] =
    u"Mulvara could not open the selected drive. \r\n"
    u"Please make sure that it is connected and go back to the first step.";

// Reads the directory whose chain is in ClusterChain; clusters already read
// for another directory are not read again, so a damaged folder pointing at
// an ancestor cannot make the walk go round.
void ReadDirectoryChain(uint32_t parentCluster, uint32_t deleted, bool checkDotEntries,
                        std::unordered_set<uint32_t>& visited) {
    const PartitionParametersRecord& p = PartitionParameters;
    const std::vector<uint32_t> chain = ClusterChain;
    uint8_t sector[kSectorSize], previous[kSectorSize];
    bool firstSector = true;
    for (uint32_t cluster : chain) {
        if (!visited.insert(cluster).second) return;
        for (uint32_t i = 0; i < p.sectorsPerCluster; ++i) {
            if (ScanStopRequested()) return;
            uint64_t number = uint64_t(p.cluster0Sector) + uint64_t(cluster) * p.sectorsPerCluster + i;
            if (number > 0xFFFFFFFFu) return;
            ReadSectors(SelectedDriveIndex, uint32_t(number), 0, 1, sector);
            if (firstSector && checkDotEntries) {
                // A folder whose first cluster was reused holds no "." and "..".
                if (!(sector[0] == '.' && sector[1] == ' ' && sector[32] == '.' && sector[33] == '.'))
                    return;
            }
            int end = 0;
            ParseFatDirSector(sector, parentCluster, end, uint32_t(number), deleted,
                              firstSector && checkDotEntries ? 2 : 0,
                              firstSector ? nullptr : previous);
            std::memcpy(previous, sector, kSectorSize);
            firstSector = false;
            if (end) return;
        }
    }
}

void ReadFat16Root() {
    const PartitionParametersRecord& p = PartitionParameters;
    uint8_t sector[kSectorSize], previous[kSectorSize];
    uint64_t first = uint64_t(p.startSector) + p.reservedSectors + 2ull * p.sectorsPerFat;
    for (uint32_t i = 0; i < p.rootDirSectors; ++i) {
        if (ScanStopRequested()) return;
        if (first + i > 0xFFFFFFFFu) return;
        ReadSectors(SelectedDriveIndex, uint32_t(first + i), 0, 1, sector);
        int end = 0;
        ParseFatDirSector(sector, 0, end, uint32_t(first + i), 0, 0, i ? previous : nullptr);
        std::memcpy(previous, sector, kSectorSize);
        if (end) return;
    }
}

}  // namespace

void EndScanWithFailure(const std::u16string& message) {
    EngineUi& ui = Ui();
    ScanRunning = 1;
    ScanStopFlag = 0;
    ui.StopScanTimer();
    ui.ShowStopMessageBox(SetAppMessageText(message).text);
    ui.SetControl(ScanControl::ProgressBar, false, false);
    ui.SetControl(ScanControl::Stop, false, false);
    ui.SetControl(ScanControl::Next, true, true);
    ui.SetControl(ScanControl::Back, true, true);
    ui.SetControl(ScanControl::StartOver, true, true);
    ui.SetControl(ScanControl::StatusLine, false, false);
    ui.SetControl(ScanControl::PartitionTree, true, true);
}

void BuildFatTree() {
    const PartitionParametersRecord& p = PartitionParameters;
    EngineUi& ui = Ui();
    FreeStandardScanLists();
    std::unordered_set<uint32_t> visited;

    if (p.scannedType == kFat32) {
        BuildClusterChainLimited(p.root);
        ReadDirectoryChain(0, 0, false, visited);
    } else {
        ReadFat16Root();
    }

    // Folders are read in the order they were found: breadth first. The list
    // grows while it is walked.
    for (FatFolderEntry* folder = FatFolderList.head; folder; folder = folder->next) {
        if (ScanStopRequested()) break;
        BuildClusterChainLimited(folder->cluster);
        ReadDirectoryChain(folder->cluster, folder->deleted, true, visited);
    }

    TreeItem root = BeginResultsTree();
    ui.AddFatFolders(root, 0);
    ui.ExpandItem(root);
    ui.SetReportView();
    CurrentFolderItem = root;
    ListFatFolder(0);

    ScanStopFlag = 1;
    ScanRunning = 0;
}

TreeItem BeginResultsTree() {
    EngineUi& ui = Ui();
    ui.SetControl(ScanControl::Next, true, false);
    ui.SetControl(ScanControl::Back, true, false);
    ui.SetControl(ScanControl::StartOver, true, false);
    ui.SetBusy(true);
    TreeItem root = ui.InsertFolderItem(u"Root", 0);
    ui.SetStatusText(u"Please wait creating tree");
    TreeProgressCount = 0;
    ScanStopFlag = 0;
    ui.SetControl(ScanControl::Stop, false, false);
    return root;
}

int EstablishScanParameters() {
    EngineUi& ui = Ui();
    if (DriveKind == kLogicalDrive) {
        if (!OpenVolume(LogicalVolumePath(PartitionParameters.logicalDriveIndex))) {
            EndScanWithFailure(kCannotOpenMessage);
            return 0;
        }
    } else if (!PhysicalDriveHandle) {
        EndScanWithFailure(kCannotOpenMessage);
        return 0;
    }

    int found = ReadBootParameters();
    ScanStopFlag = 0;
    ScanRunning = 1;
    if (!found) {
        ui.SetStatusText(u"Please wait, Calculating partition parameters...");
        if (!SearchPartitionParameters()) {
            ParametersNotFound = 1;
            EndScanWithFailure(kNoParametersMessage);
            return 0;
        }
    }
    ui.ShowFatScanCaptions();
    return 1;
}

int StandardScanThread() {
    EngineUi& ui = Ui();
    if (!EstablishScanParameters()) return 0;
    switch (PartitionParameters.chosenType) {
        case kFat16:
        case kFat32:
            ui.SetStatusText(u"Please wait, Searching for Data...");
            BuildFatTree();
            break;
        case kNtfs:
            ScanMftRecords();
            break;
        default:
            break;
    }
    ScanRunning = 0;
    ScanStopFlag = 1;
    return 1;
}

void StartStandardScan() {
    StartScanWorker([] { StandardScanThread(); });
}
