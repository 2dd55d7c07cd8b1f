// The removable volumes the user may scan by drive letter: found when the
// drive page is made; the FAT32 ones are offered in its drive tree.
#pragma once

#include <cstdint>
#include <string>

struct LogicalDriveEntry {
    char16_t volumeLabel[100];
    char16_t rootPath[100];  // letter, ":" and "\"
    uint64_t size;           // sectors
    uint16_t sectorsPerCluster;
    uint16_t type;
};

constexpr int kMaxLogicalDrives = 32;
extern LogicalDriveEntry LogicalDriveTable[kMaxLogicalDrives];
extern uint16_t LogicalDriveCount;

// Fills LogicalDriveTable (and the same entries of PartitionTable) with the
// removable volumes B: to Z:, and adds the FAT32 ones to the drive tree as
// "Logical Drives <letter>: ".
void EnumerateLogicalDrives();

// The file system a volume's boot sector names: 100, 200 or 300; 400 for
// anything else (FAT12, exFAT, unformatted, an impossible geometry).
uint16_t ClassifyBootSector(const uint8_t (&sector)[512]);

// "\\.\" and the letter and colon of the entry's root path.
std::u16string LogicalVolumePath(uint16_t index);
