// The physical drives the user may scan: found when the drive page is made
// and offered in its drive tree when they are removable USB disks.
#pragma once

#include <cstdint>

constexpr int kMaxPhysicalDrives = 10;

struct PhysicalDriveEntry {
    int removable;
    int cylinders;  // low 32 bits of the reported count
    int tracksPerCylinder;
    int sectorsPerTrack;
    uint64_t totalSectors;  // cylinders x tracks per cylinder x sectors per track
    char model[512];
    int driveNumber;  // n of "\\.\PhysicalDrive%d"
};

extern PhysicalDriveEntry PhysicalDriveTable[kMaxPhysicalDrives];
// Drives that reported a geometry.
extern int PhysicalDriveCount;
// Slots filled: every drive opened and described, with or without medium.
extern int PhysicalSlotCount;

// The model text of a drive on the USB bus, "USB Device", in any letter case.
bool IsUsbModel(const char* model);

// Sets the recovery settings' defaults, fills PhysicalDriveTable and adds the
// removable USB drives to the drive tree as "Hard Disk <slot>".
void EnumeratePhysicalDrives();

// Fills PhysicalDriveTable; returns the slot count.
int IdentifyDrives();
// Storage descriptor and geometry of "\\.\PhysicalDrive0" to 15.
void QueryStorageDrives();
// Drives answering a SMART identify request.
int ReadSmartIdentify();
// Windows 9x: asks the identify driver; 0 when it cannot be opened.
int ReadIdeIdentify();
