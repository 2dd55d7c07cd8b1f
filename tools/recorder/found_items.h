// The Standard Scan's results as a flat list of folders and files with full
// paths, as the harness prints them and the tests compare them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "recording_ui.h"

struct FoundItem {
    bool folder;
    std::u16string path;  // "/" between names, from the root
    uint64_t size;        // 0 for folders
    bool deleted;
    std::u16string time1, time2;
    std::u16string id;
};

// Folders first, then files, each in list order. Paths come from the result
// tree the scan built through `ui`.
std::vector<FoundItem> CollectFoundItems(const RecordingUi& ui);

// The harness's line for an item: tab-separated fields.
std::u16string FoundItemLine(const FoundItem& item);

struct CarvedFileRecord;
// The harness's line for a carved file: name, file type, start sector.
std::u16string CarvedItemLine(const CarvedFileRecord& file);
