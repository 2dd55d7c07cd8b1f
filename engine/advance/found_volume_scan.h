// Listing a volume rebuilt by the Advance Scan: its work-list entries become
// the Standard found-entry lists, so that the results page and the recovery
// work on it as after a Standard Scan.
#pragma once

#include <cstdint>

constexpr uint32_t kLostDirCluster = 0xFFFFFFFE;

// The worker of the file-system page's Next, for the picked volume.
int FileSystemScanThread();
// Starts FileSystemScanThread on the scan thread.
void StartFileSystemScan();

void ExtractFatEntries();
void ScanOrphanDirectories();
void FindFatCopies();
void ScanDirectoryClusters();
// Parses the 32-byte entries of sectorCount consecutive directory sectors.
// previousSector, when given, is the directory's sector before them (long
// names may begin there).
void ParseFatDirCluster(const uint8_t* sectors, uint32_t parentCluster, int& endOfDirectory,
                        uint32_t firstSector, uint32_t sectorCount, uint32_t folderDeleted,
                        int firstEntry, const uint8_t* previousSector = nullptr);

void ScanNtfsEntries();
void ScanNtfsLostData();
