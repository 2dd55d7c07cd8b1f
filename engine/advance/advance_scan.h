// The Advance Scan: one sweep over the raw range for file-system structures,
// then the volumes rebuilt from what it kept.
#pragma once

#include <cstdint>

// The scan page's Next in Advance mode: frees the Advance lists and starts
// AdvanceScanThread on the scan thread.
void StartAdvanceScan();
// The worker: the sweep of the chosen file system, then FinishAdvanceScan.
int AdvanceScanThread();

// The sweep of the chosen file system (the first stage alone).
void SweepChosenFileSystem();
void SweepFatStructures();
void SweepNtfsStructures();
// The second stage: the FAT or NTFS volume reconstruction.
void FinishAdvanceScan();

constexpr uint32_t kMaxFatBootCandidates = 60000;
