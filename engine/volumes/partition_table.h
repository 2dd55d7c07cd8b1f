// The FAT partitions of a physical drive: its partition table with the chain
// of extended tables, and a search for FAT32 boot sectors when the table
// says nothing.
#pragma once

#include <cstdint>

struct PartitionEntry {
    uint32_t startSector;
    uint32_t sectorCount;
    uint16_t fileSystemType;
};
constexpr int kMaxPartitions = 25;
extern PartitionEntry PartitionTable[kMaxPartitions];
extern int PartitionCount;

extern int SearchPartitionsRequested;

// Links followed in an extended-partition chain at most.
constexpr int kMaxExtendedLinks = 128;

// Rebuilds PartitionTable from the table at tableSector of the selected
// physical drive (opened anew; it stays open for the scans). First sectors of
// the table's own entries are taken as absolute.
void ScanPartitionTable(uint32_t tableSector);

struct DiskGeometry {
    uint64_t cylinders;
    uint32_t heads;            // tracks per cylinder
    uint32_t sectorsPerTrack;
};

// The drive page's partition search, on its worker: asks whether to search
// when partitions are known, looks for FAT32 boot sectors at the start of
// every cylinder's second track (or its first sector) and fills the scan
// page's partition tree. Geometry is the drive's as the system reports it.
void SearchPartitions(const DiskGeometry& geometry);
// The same with the geometry of PhysicalDriveTable's row SelectedDriveIndex.
void SearchPartitions();

// The geometry an image or a drive without one is searched with: 255 heads
// of 63 sectors.
DiskGeometry GeometryOfSectors(uint64_t sectors);
