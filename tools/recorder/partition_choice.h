// The partitions of a disk image, as the drive page lists them, and choosing
// one by its first sector.
#pragma once

#include <cstdint>
#include <string>

// Presents the image as physical drive 0 and fills PartitionTable from its
// partition tables (sector 0, then 61 and 62 as the drive page tries them);
// with `search`, or when the tables list nothing, searches the disk for
// FAT32 boot sectors too. False with a reason when the image cannot be read.
bool ListImagePartitions(const std::string& image, bool search, std::string& error);

// Selects the partition of the image that begins at `firstSector` as the
// scanned range. False with a reason when no listed partition begins there.
bool SelectImagePartition(const std::string& image, uint32_t firstSector, std::string& error);

// "fat16" or "fat32" for a partition type code.
const char* PartitionTypeName(uint16_t type);
