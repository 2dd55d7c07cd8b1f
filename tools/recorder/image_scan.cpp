#include "image_scan.h"

#include "byte_view.h"
#include "device/device.h"
#include "volumes/boot_params.h"
#include "engine_state.h"
#include "device/sector_access.h"

uint16_t DetectFileSystem(uint32_t sector) {
    uint8_t bytes[kSectorSize];
    if (!ReadSectors(SelectedDriveIndex, sector, 0, 1, bytes)) return 0;
    ByteView v(bytes, sizeof bytes);
    if (v.Matches(82, "FAT32")) return kFat32;
    if (v.Matches(54, "FAT16") || v.Matches(54, "FAT12")) return kFat16;
    if (v.Matches(3, "NTFS")) return kNtfs;
    return 0;
}

namespace {

bool Select(const std::string& image, uint64_t start, uint64_t count, uint16_t type,
            bool needFileSystem, std::string& error) {
    ResetEngineState();
    MapDeviceToImage(DeviceNameTable[0], image);
    SelectedDriveIndex = 0;
    DriveKind = kPhysicalDrive;
    if (!OpenPhysicalDrive()) {
        error = "cannot open " + image;
        return false;
    }
    uint64_t deviceSectors = SelectedDeviceSectors();
    if (start >= deviceSectors || start > 0xFFFFFFFFu) {
        error = "sector " + std::to_string(start) + " lies past the end of " + image;
        return false;
    }
    if (!count || count > deviceSectors - start) count = deviceSectors - start;
    if (count > 0xFFFFFFFFu - start) count = 0xFFFFFFFFu - start;
    if (!type && needFileSystem) type = DetectFileSystem(uint32_t(start));
    if (!type && needFileSystem) {
        error = "no FAT or NTFS boot sector at sector " + std::to_string(start) +
                "; give the file system";
        return false;
    }
    PartitionParameters.chosenType = type;
    PartitionParameters.startSector = uint32_t(start);
    PartitionParameters.sectorCount = uint32_t(count);
    PartitionParameters.endSector = uint32_t(start + count - 1);
    return true;
}

}  // namespace

bool SelectImage(const std::string& image, uint64_t start, uint64_t count, uint16_t type,
                 std::string& error) {
    return Select(image, start, count, type, true, error);
}

bool SelectImageRange(const std::string& image, uint64_t start, uint64_t count, uint16_t type,
                      std::string& error) {
    return Select(image, start, count, type, false, error);
}
