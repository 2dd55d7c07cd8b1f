#include "partition_choice.h"

#include "device/device.h"
#include "engine_ui.h"
#include "scan_control.h"
#include "volumes/boot_params.h"
#include "engine_state.h"
#include "image_scan.h"
#include "volumes/partition_table.h"
#include "device/sector_access.h"

namespace {

// The drive page's answer to "Please Select": search the disk.
class SearchingUi : public EngineUi {
public:
    int AskPartitionChoice() override { return 1; }
};

}  // namespace

const char* PartitionTypeName(uint16_t type) {
    return type == kFat32 ? "fat32" : type == kFat16 ? "fat16" : "other";
}

bool ListImagePartitions(const std::string& image, bool search, std::string& error) {
    ResetEngineState();
    MapDeviceToImage(DeviceNameTable[0], image);
    SelectedDriveIndex = 0;
    DriveKind = kPhysicalDrive;
    for (uint32_t tableSector : {0u, 61u, 62u}) {
        ScanPartitionTable(tableSector);
        if (!PhysicalDriveHandle) {
            error = "cannot open " + image;
            return false;
        }
        if (PartitionCount) break;
    }
    if (search || PartitionCount == 0) {
        SearchingUi ui;
        EngineUi& previous = Ui();
        SetEngineUi(&ui);
        ScanStopFlag = 0;
        SearchPartitions(GeometryOfSectors(SelectedDeviceSectors()));
        SetEngineUi(&previous);
    }
    return true;
}

bool SelectImagePartition(const std::string& image, uint32_t firstSector, std::string& error) {
    for (bool search : {false, true}) {
        if (!ListImagePartitions(image, search, error)) return false;
        for (int i = 0; i < PartitionCount; ++i) {
            const PartitionEntry entry = PartitionTable[i];
            if (entry.startSector == firstSector)
                return SelectImage(image, entry.startSector, entry.sectorCount,
                                   entry.fileSystemType, error);
        }
    }
    error = "no FAT partition begins at sector " + std::to_string(firstSector);
    return false;
}
