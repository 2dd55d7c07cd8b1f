// Reading the selected device in 512-byte sectors.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "device/device.h"

constexpr uint32_t kSectorSize = 512;

// What is selected in the drive tree.
enum : uint16_t { kPhysicalDrive = 1, kLogicalDrive = 2, kNothingSelected = 3 };

// Device selection.
extern uint16_t SelectedDriveIndex;
extern uint16_t DriveKind;
extern char DeviceNameTable[10][20];
extern std::u16string SelectedDevicePath;

// Open handles of the selection: null when none is open.
extern SectorDevice* PhysicalDriveHandle;
extern SectorDevice* VolumeHandle;

// Sectors that the last ReadSectors or ReadVolumeSectors call could not read.
// Their bytes in the caller's buffer are zero, never left from another read.
extern uint32_t LastReadFailedSectors;

// Reads count sectors of the current selection into buffer (count * 512
// bytes). Returns 1 unless the range's last sector could not be read; sectors
// past the device end count as unreadable.
int ReadSectors(int deviceSlot, uint32_t sectorLow, uint32_t sectorHigh, uint32_t count,
                void* buffer);
int ReadVolumeSectors(uint32_t sectorLow, uint32_t sectorHigh, uint32_t count, void* buffer);
// ReadSectors straight from the device, keeping nothing: for a pass that
// reads every sector once and would push out what the other readers keep.
int ReadSectorsOnce(uint32_t sectorLow, uint32_t sectorHigh, uint32_t count, void* buffer);

// Opens the DeviceNameTable slot of SelectedDriveIndex into PhysicalDriveHandle.
SectorDevice* OpenPhysicalDrive();
// Opens a volume path ("\\.\E:") into VolumeHandle; false on failure.
bool OpenVolume(const std::u16string& volumePath);
// Reads sector 0 of a volume path; 1 when it was read.
int ReadBootSector(const std::u16string& volumePath, void* buffer);

// Makes an already open device the selected physical drive (image devices,
// tests).
SectorDevice* AdoptPhysicalDrive(std::unique_ptr<SectorDevice> device);

void ClosePhysicalDrive();
void CloseVolume();

// Sectors of the current selection; 0 when unknown.
uint64_t SelectedDeviceSectors();

// The sector after the scanned range: its own end when it has a count, else
// the selection's end; 0 when neither is known.
uint64_t ScannedRangeEnd();

// Drops every cached sector (the device's contents may have changed).
void ClearSectorCache();
