#include "device/logical_drives.h"

#include <cstring>

#include "volumes/boot_params.h"
#include "byte_view.h"
#include "device/drive_queries.h"
#include "engine_ui.h"
#include "text.h"
#include "volumes/partition_table.h"
#include "device/sector_access.h"

LogicalDriveEntry LogicalDriveTable[kMaxLogicalDrives] = {};
uint16_t LogicalDriveCount = 0;

namespace {

void CopyText(char16_t (&to)[100], const std::u16string& text) {
    size_t n = text.size() < 99 ? text.size() : 99;
    std::memcpy(to, text.data(), n * sizeof(char16_t));
    to[n] = 0;
}

// What every FAT volume's boot sector holds, whatever its type.
bool HasFatGeometry(const ByteView& boot) {
    return boot.u16(11) == kSectorSize && IsValidSectorsPerCluster(boot.u8(13)) &&
           boot.u16(14) != 0 && boot.u8(16) != 0;
}

}  // namespace

uint16_t ClassifyBootSector(const uint8_t (&sector)[512]) {
    ByteView boot(sector, sizeof sector);
    if (boot.Matches(3, "NTFS")) return kNtfs;
    if (!HasFatGeometry(boot)) return kUnreadableVolume;
    if (boot.Matches(82, "FAT32") && boot.u16(22) == 0 && boot.u32(36) != 0) return kFat32;
    if (boot.Matches(54, "FAT16") && boot.u16(22) != 0) return kFat16;
    return kUnreadableVolume;
}

void EnumerateLogicalDrives() {
    LogicalDriveCount = 0;
    std::memset(LogicalDriveTable, 0, sizeof LogicalDriveTable);
    uint32_t mask = LogicalDriveMask();
    // A: is never examined.
    for (char16_t letter = u'B'; letter <= u'Z'; ++letter) {
        if (!(mask >> (letter - u'A') & 1) || !IsRemovableDrive(letter)) continue;
        LogicalDriveEntry& entry = LogicalDriveTable[LogicalDriveCount];
        CopyText(entry.rootPath, std::u16string{letter, u':', u'\\'});
        entry.type = kUnreadableVolume;
        uint64_t bytes = 0;
        if (QueryVolumeBytes(letter, bytes) && bytes) {
            entry.size = bytes / kSectorSize;
            CopyText(entry.volumeLabel, QueryVolumeLabel(letter));
            uint8_t boot[kSectorSize] = {};
            // A volume whose boot sector cannot be read is not classified
            // from another volume's bytes.
            if (ReadBootSector(std::u16string{u'\\', u'\\', u'.', u'\\', letter, u':'}, boot)) {
                entry.type = ClassifyBootSector(boot);
                entry.sectorsPerCluster = boot[13];
            }
        }
        if (LogicalDriveCount < kMaxPartitions) {
            PartitionTable[LogicalDriveCount].fileSystemType = entry.type;
            PartitionTable[LogicalDriveCount].sectorCount = uint32_t(entry.size);
        }
        ++LogicalDriveCount;
    }

    EngineUi& ui = Ui();
    for (uint16_t i = 0; i < LogicalDriveCount; ++i) {
        if (LogicalDriveTable[i].type != kFat32) continue;
        std::string letter(1, char(LogicalDriveTable[i].rootPath[0]));
        ui.AddDriveTreePath("My Computer\\Logical Devices\\Logical Drives " + letter + ": \\", i);
    }
    ui.ExpandDriveTree();
}

std::u16string LogicalVolumePath(uint16_t index) {
    std::u16string path = u"\\\\.\\";
    if (index < kMaxLogicalDrives) {
        const char16_t* root = LogicalDriveTable[index].rootPath;
        if (root[0]) path.push_back(root[0]);
        if (root[0] && root[1]) path.push_back(root[1]);
    }
    return path;
}
