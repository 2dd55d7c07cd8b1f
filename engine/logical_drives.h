// The removable volumes the user may scan by drive letter.
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

// "\\.\" and the letter and colon of the entry's root path.
std::u16string LogicalVolumePath(uint16_t index);
