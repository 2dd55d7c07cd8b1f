// The device layer: a readable run of bytes (a disk, a volume or an image
// file). Nothing in the engine ever writes to one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class SectorDevice {
public:
    virtual ~SectorDevice() = default;
    // Size in bytes; 0 when the system does not tell.
    virtual uint64_t Size() const = 0;
    // Reads up to `bytes` at `offset`; returns the count read, or -1 on an
    // error. Fewer bytes than asked means the device ended or failed there.
    virtual int64_t ReadAt(uint64_t offset, void* buffer, size_t bytes) = 0;
};

// Opens a device path ("\\.\PhysicalDrive0", "\\.\E:") or an image file for
// reading, sharing read and write with others. Null on failure. A device path
// that was mapped to an image file opens that file instead.
std::unique_ptr<SectorDevice> OpenDevice(const std::string& path);

// Presents an image file under a device path, as if it were that device.
// With a byte count the device is that window of the file from firstByte on
// (a volume inside a disk image).
void MapDeviceToImage(const std::string& devicePath, const std::string& imagePath,
                      uint64_t firstByte = 0, uint64_t byteCount = 0);
void UnmapDevice(const std::string& devicePath);
void ClearDeviceMappings();

// The platform's own opening of a path (no mapping looked at).
std::unique_ptr<SectorDevice> OpenPlatformDevice(const std::string& path);
