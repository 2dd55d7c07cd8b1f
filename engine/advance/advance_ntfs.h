// The NTFS side of the Advance Scan: the FILE records and index buffers the
// sweep meets, and the analysis that numbers folders and rebuilds volumes.
#pragma once

#include <cstdint>

// Reads the FILE record at sector and appends a folder or file entry.
void ProcessMftRecord(uint32_t sector);
// Reads the INDX buffer at sector; 1 when it was kept.
int AddIndexRecord(uint32_t sector);

// Empties the Standard NTFS lists and their counters.
void FreeNtfsLists();

// The analysis after the sweep; ends the scan.
void AnalyseNtfsVolumes();
void AssignMftNumbers();
// Step 1 of AssignMftNumbers: numbers from the entries of the kept buffers.
void NumberFoldersFromIndexBuffers();
void DeleteUnusedIndexEntries();
void RebuildNtfsVolumes();
void InferNtfsVolumes();
// Marks the unplaced folders whose first index buffer lies where a volume
// starting at start with the given cluster size puts it; 1 when any was.
int ClaimNtfsFolders(uint32_t start, uint32_t sectorsPerCluster, uint32_t end, int step);
