// The results page's services after a Raw Scan, and the selection size and
// preview clean-up it uses in every mode.
#pragma once

#include <cstdint>
#include <string>

#include "raw/raw_lists.h"

// Counts and byte total of the checked results.
struct SelectionTotalsRecord {
    uint32_t files = 0;
    uint32_t folders = 0;
    uint64_t bytes = 0;
};
extern SelectionTotalsRecord SelectionTotals;

// The Raw Scan's results tree below "Root" (types, then extensions),
// expanded, and the type groups listed.
void ShowRawTree(TreeItem root);

// One row per file-type text of CarvedFileList (first appearance, letter
// case ignored).
void ListRawGroups();

// A click on the Raw Scan tree: kind 0 with "Root" lists the groups, kind 0
// with an extension the files of that extension, kind 1 the files of a group.
void ListRawFolder(const std::u16string& text, int kind);

// Writes CarveSizeLimitMB megabytes from the start sector on (fewer at the
// device's end) into a new file in folder named as the recovery writers name
// theirs (a safe name, "Copy (n ) of" when taken; RecoveredFilePath holds the
// path). 0 when the file cannot be created or written.
int DumpRawRegion(const std::u16string& folder, const std::u16string& fileName,
                  uint32_t startSector);

// Recovery of one carved file: on failure asks whether to go on ("No" stops
// the recovery run). 1 when written.
int RecoverCarvedFile(const std::u16string& folder, const CarvedFileRecord& file);

void ShowSelectedSize();
void DeletePreviewTempFiles();
