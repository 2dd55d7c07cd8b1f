// What the drive enumeration asks of the system about its devices and
// volumes. Image devices (image_devices.h) answer beside the system's own:
// the enumeration cannot tell one from the other.
#pragma once

#include <cstdint>
#include <string>

// Bus type of the storage device descriptor that marks a USB device.
constexpr uint8_t kUsbBus = 7;

struct PhysicalDriveDescription {
    bool removable = false;
    uint8_t busType = 0;
    std::string product;  // product identification text
    // Zero when the system reports no geometry (no medium).
    uint64_t cylinders = 0;
    uint32_t tracksPerCylinder = 0;
    uint32_t sectorsPerTrack = 0;
};

enum class DriveProbe {
    Absent,       // "\\.\PhysicalDrive%d" does not open
    Undescribed,  // opens, but the storage descriptor query fails
    Described,
};

// "\\.\PhysicalDrive%d" of number: its storage descriptor and geometry.
DriveProbe DescribePhysicalDrive(int number, PhysicalDriveDescription& out);
// True when the drive answers a SMART identify request.
bool AnswersSmartIdentify(int number);

// Bit n set for drive letter 'A' + n.
uint32_t LogicalDriveMask();
bool IsRemovableDrive(char16_t letter);
// Total bytes of the volume of a drive letter; false when not known.
bool QueryVolumeBytes(char16_t letter, uint64_t& bytes);
std::u16string QueryVolumeLabel(char16_t letter);

// The system's own answers, without image devices.
DriveProbe DescribeSystemPhysicalDrive(int number, PhysicalDriveDescription& out);
bool SystemAnswersSmartIdentify(int number);
uint32_t SystemLogicalDriveMask();
bool IsSystemRemovableDrive(char16_t letter);
bool QuerySystemVolumeBytes(char16_t letter, uint64_t& bytes);
std::u16string QuerySystemVolumeLabel(char16_t letter);

// Windows 95, 98 and Me, where drives are identified through a driver.
bool IsWindows9x();
// Opens and closes the identify driver of those systems; false when absent.
bool OpenIdeIdentifyDriver();
