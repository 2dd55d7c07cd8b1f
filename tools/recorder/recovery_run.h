// Recovering found files into a folder the way the results page does it,
// keeping the folder tree: each found folder becomes a folder below the
// destination (its name made safe), each file is written by the engine's
// recovery writers in plain mode.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "recording_ui.h"

struct RecoveredItem {
    std::u16string path;    // as the listing shows it, "/" between names
    std::u16string target;  // the file written; empty when none was
    bool written;
};

// Called before each file is written with the files done and the files
// to write in all.
using RecoveryProgress = std::function<void(size_t done, size_t total)>;

// Recovers every found file whose path is one of `chosen` or lies below one
// of them (all files when `chosen` is empty), live and deleted, into
// `destination`, which must exist.
std::vector<RecoveredItem> RecoverFoundFiles(const RecordingUi& ui, const std::u16string& destination,
                                             const std::vector<std::u16string>& chosen,
                                             const RecoveryProgress& progress = {});

// True when `path` of the listing is `chosen` or lies below it.
bool LiesAtOrBelow(const std::u16string& path, const std::u16string& chosen);
