// Volume geometry from boot sectors, or derived from directory sectors when
// the boot sectors are gone.
#pragma once

#include <cstdint>

// Fills the geometry of PartitionParameters for its chosen type. 1 on success
// (or for a type that needs no geometry), 0 when it cannot be established.
int ReadBootParameters();

// Derives a FAT geometry from the first FAT sector and two directory sectors.
// 1 on success; 0 when none was found, when stopped, and always for NTFS.
int SearchPartitionParameters();

// 1 for 1, 2, 4, ..., 128: the only cluster sizes a volume may have.
int IsValidSectorsPerCluster(uint64_t value);
