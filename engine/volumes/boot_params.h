// Volume geometry from boot sectors, or derived from directory sectors when
// the boot sectors are gone.
#pragma once

#include <cstdint>

// File-system codes.
enum : uint16_t { kFat16 = 100, kFat32 = 200, kNtfs = 300, kUnreadableVolume = 400 };

#pragma pack(push, 1)
struct PartitionParametersRecord {
    uint16_t chosenType;
    uint32_t startSector;
    uint32_t sectorCount;
    uint32_t endSector;
    uint16_t logicalDriveIndex;
    uint16_t scannedType;
    // The next thirteen values are in the order of a found volume's.
    uint32_t sectorsPerFat;
    uint32_t sectorsPerCluster;
    uint32_t rootDirSectors;
    uint32_t root;
    uint32_t reservedSectors;
    uint32_t cluster0Sector;
    uint32_t fat1Start;
    uint32_t fat2Start;
    uint32_t mftStart;
    uint32_t mftMirrStart;
    uint32_t constantField;
    uint32_t indexRecordSectors;
    uint32_t volumeEndSector;
    uint16_t foundVolumeIndex;
};
#pragma pack(pop)

extern PartitionParametersRecord PartitionParameters;

// Fills the geometry of PartitionParameters for its chosen type. 1 on success
// (or for a type that needs no geometry), 0 when it cannot be established.
int ReadBootParameters();

// Derives a FAT geometry from the first FAT sector and two directory sectors.
// 1 on success; 0 when none was found, when stopped, and always for NTFS.
int SearchPartitionParameters();

// 1 for 1, 2, 4, ..., 128: the only cluster sizes a volume may have.
int IsValidSectorsPerCluster(uint64_t value);
