// Running the Advance Scan on the selected image without windows: the sweep
// and reconstruction, then the listing of one found volume.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "recording_ui.h"

struct AdvanceTimes {
    double sweepSeconds = 0, analysisSeconds = 0;
};

// Runs the Advance Scan's worker on this thread through ui: the sweep, then
// the volume reconstruction.
AdvanceTimes RunAdvanceScan(RecordingUi& ui);
// The labels of the found volumes, in list order ("FAT32 @8192").
std::vector<std::u16string> FoundVolumeLabels(const RecordingUi& ui);
// Picks the n-th found volume (1-based) and runs the file-system scan on
// this thread; false when there is no such volume.
bool ScanFoundVolume(RecordingUi& ui, uint32_t index);
