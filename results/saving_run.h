// Recovering the checked files into a folder. The run's input is gathered
// on the interface thread before the worker starts (the files and the tree
// path of each one's folder), so the worker reads no window and no list a
// click may change; checked folders are recreated below the destination,
// each name made safe and created inside its parent.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "checked_selection.h"

struct SaveItem {
  ResultsKind kind;
  uint32_t id;  // file number, $DATA record sector, FILE-record sector or running number
  std::vector<std::u16string> folder;  // names from below the root down to the file's folder
  std::u16string name;
};

// The tree path of a folder's tree item, as names below the root.
using FolderPathOf = std::function<std::vector<std::u16string>(TreeItem)>;

// Every file of the selection's CheckedFileIds, in list order, with its
// folder's path (carved files and files of unknown folders at the top).
std::vector<SaveItem> GatherCheckedFiles(const CheckedSelection& selection, ResultsKind kind,
                                         const FolderPathOf& folderPath);

// Why the destination cannot take the run; empty when it can. It must be an
// existing folder that does not lie on the scanned device.
std::u16string DestinationProblem(const std::u16string& destination);

// What the Saving dialog shows while the worker writes.
struct SavingProgress {
  std::mutex lock;
  std::u16string currentFile;
  int percent = 0;
  int written = 0;
};

// Writes the items (mode: the writers' plain or recovery mode), obeying
// StopAllRecovery and SkipCurrentFile; returns the files written. Resets the
// stop request and the count before it returns.
int SaveItems(const std::u16string& destination, const std::vector<SaveItem>& items, int mode,
              SavingProgress& progress);

// Writes one found file into folder under a preview's temporary name, in
// the writers' plain mode; `written` is the path the writer settled on
// (empty when it wrote nothing). Returns the writer's result.
int ExtractForPreview(const std::u16string& folder, ResultsKind kind, uint32_t id, const std::u16string& tempName,
                      std::u16string& written);
