#include "logical_drives.h"

LogicalDriveEntry LogicalDriveTable[kMaxLogicalDrives] = {};
uint16_t LogicalDriveCount = 0;

std::u16string LogicalVolumePath(uint16_t index) {
    std::u16string path = u"\\\\.\\";
    if (index < kMaxLogicalDrives) {
        const char16_t* root = LogicalDriveTable[index].rootPath;
        if (root[0]) path.push_back(root[0]);
        if (root[0] && root[1]) path.push_back(root[1]);
    }
    return path;
}
