// Disk image files presented as removable USB disks, for machines without
// one: each image is a physical drive with a drive number the system leaves
// free, and each volume in its partition table (or the whole image, when it
// has none) a removable drive letter. Reads go to the file through the
// device mappings, so the engine reads an image device as it reads a disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Image files, one after the other, separated as in PATH.
constexpr const char kImageDevicesVariable[] = "MULVARA_IMAGE_DEVICES";
#ifdef _WIN32
constexpr char kImageListSeparator = ';';
#else
constexpr char kImageListSeparator = ':';
#endif

struct ImageVolume {
    char16_t letter;
    uint64_t firstSector;
    uint64_t sectorCount;
    std::u16string label;
};

struct ImageDevice {
    std::string path;
    int driveNumber;
    uint64_t bytes;  // 0: a reader without medium
    std::vector<ImageVolume> volumes;
};

// The image devices named by the variable, read on first use. Files that
// cannot be opened are left out.
const std::vector<ImageDevice>& ImageDevices();
// Replaces the image devices by those of a list (the variable's format);
// an empty list leaves only the system's devices.
void UseImageDevices(const std::string& list);

const ImageDevice* FindImageDevice(int driveNumber);
const ImageVolume* FindImageVolume(char16_t letter);
