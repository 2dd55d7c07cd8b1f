// Selecting a disk image as the scanned device, as the wizard selects a drive.
#pragma once

#include <cstdint>
#include <string>

// Presents the image as physical drive 0, selects it, and sets the range and
// chosen type of PartitionParameters. count 0 means up to the image's end;
// type 0 means the file system named by the boot sector at `start`.
// False with a reason when the image cannot be used.
bool SelectImage(const std::string& image, uint64_t start, uint64_t count, uint16_t type,
                 std::string& error);

// The same for a Raw Scan: type 0 leaves the range without a file system,
// as a sector range of a physical drive.
bool SelectImageRange(const std::string& image, uint64_t start, uint64_t count, uint16_t type,
                      std::string& error);

// The file system named by the boot sector at `sector`: 100, 200, 300 or 0.
uint16_t DetectFileSystem(uint32_t sector);
