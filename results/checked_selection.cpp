#include "checked_selection.h"

#include <deque>

#include "advance/advance_lists.h"
#include "found_lists.h"
#include "raw/raw_lists.h"
#include "raw/raw_results.h"
#include "scan_control.h"
#include "text.h"
#include "volumes/boot_params.h"

ResultsKind CurrentResultsKind() {
  if (ScanMode == kRawScan) return ResultsKind::Raw;
  switch (PartitionParameters.scannedType) {
    case kFat16:
    case kFat32:
      return ResultsKind::Fat;
    case kNtfs:
      return ScanMode == kAdvanceScan ? ResultsKind::AdvanceNtfs : ResultsKind::Ntfs;
    default:
      return ResultsKind::None;
  }
}

uint32_t RootFolderKey(ResultsKind kind) { return kind == ResultsKind::Fat ? 0 : kNtfsRootRecord; }

void CheckedSelection::ClearMarks() {
  CheckedFolderItems.clear();
  CheckedFileIds.clear();
  SelectedFolderItems.clear();
  SelectedRootFiles.clear();
  CheckedTreeItems.clear();
}

std::vector<uint32_t> FolderFileIds(ResultsKind kind, uint32_t key) {
  std::vector<uint32_t> ids;
  switch (kind) {
    case ResultsKind::Fat:
      for (FatFileEntry* f = FatFileList.head; f; f = f->next)
        if (f->parentCluster == key) ids.push_back(f->fileNumber);
      break;
    case ResultsKind::Ntfs:
      for (NtfsFileEntry* f = NtfsFileList.head; f; f = f->next)
        if (f->parentRecord == key) ids.push_back(f->dataRecordSector);
      break;
    case ResultsKind::AdvanceNtfs:
      for (AdvanceNtfsFileEntry* f = AdvanceNtfsFileList.head; f; f = f->next)
        if (f->parentRecord == key && LiesInPickedVolume(f->sector)) ids.push_back(f->sector);
      break;
    default:
      break;
  }
  return ids;
}

std::vector<std::pair<uint32_t, TreeItem>> SubfolderKeys(ResultsKind kind, uint32_t key) {
  std::vector<std::pair<uint32_t, TreeItem>> keys;
  if (kind == ResultsKind::Fat) {
    for (FatFolderEntry* f = FatFolderList.head; f; f = f->next)
      if (f->parentCluster == key && f->cluster != key) keys.push_back({f->cluster, f->treeItem});
  } else if (kind == ResultsKind::Ntfs || kind == ResultsKind::AdvanceNtfs) {
    for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next)
      if (f->parentRecord == key && f->recordNumber != key) keys.push_back({f->recordNumber, f->treeItem});
  }
  return keys;
}

uint32_t FolderKeyOfItem(ResultsKind kind, TreeItem item, bool* found) {
  if (found) *found = false;
  if (item != 0) {
    if (kind == ResultsKind::Fat) {
      for (FatFolderEntry* f = FatFolderList.head; f; f = f->next)
        if (f->treeItem == item) {
          if (found) *found = true;
          return f->cluster;
        }
    } else if (kind == ResultsKind::Ntfs || kind == ResultsKind::AdvanceNtfs) {
      for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next)
        if (f->treeItem == item) {
          if (found) *found = true;
          return f->recordNumber;
        }
    }
  }
  return RootFolderKey(kind);
}

uint32_t ParentFolderKey(ResultsKind kind, uint32_t key) {
  if (kind == ResultsKind::Fat) {
    for (FatFolderEntry* f = FatFolderList.head; f; f = f->next)
      if (f->cluster == key) return f->parentCluster;
  } else {
    for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next)
      if (f->recordNumber == key) return f->parentRecord;
  }
  return RootFolderKey(kind);
}

bool FileParentKey(ResultsKind kind, uint32_t id, uint32_t* parent) {
  switch (kind) {
    case ResultsKind::Fat:
      for (FatFileEntry* f = FatFileList.head; f; f = f->next)
        if (f->fileNumber == id) return *parent = f->parentCluster, true;
      break;
    case ResultsKind::Ntfs:
      for (NtfsFileEntry* f = NtfsFileList.head; f; f = f->next)
        if (f->dataRecordSector == id) return *parent = f->parentRecord, true;
      break;
    case ResultsKind::AdvanceNtfs:
      for (AdvanceNtfsFileEntry* f = AdvanceNtfsFileList.head; f; f = f->next)
        if (f->sector == id && LiesInPickedVolume(f->sector)) return *parent = f->parentRecord, true;
      break;
    default:
      break;
  }
  return false;
}

namespace {

// Visits a folder and everything below it once each, without recursion.
template <typename Visit>
void WalkSubtree(ResultsKind kind, uint32_t key, TreeItem item, Visit visit) {
  std::set<uint32_t> seen{key};
  std::deque<std::pair<uint32_t, TreeItem>> pending{{key, item}};
  while (!pending.empty()) {
    const auto [folder, folderItem] = pending.front();
    pending.pop_front();
    visit(folder, folderItem);
    for (const auto& child : SubfolderKeys(kind, folder))
      if (seen.insert(child.first).second) pending.push_back(child);
  }
}

}  // namespace

void AddFolderSubtree(CheckedSelection& selection, ResultsKind kind, uint32_t key, TreeItem item) {
  WalkSubtree(kind, key, item, [&](uint32_t folder, TreeItem folderItem) {
    if (folderItem) selection.CheckedFolderItems.insert(folderItem);
    for (uint32_t id : FolderFileIds(kind, folder)) selection.CheckedFileIds.insert(id);
  });
}

void RemoveFolderSubtree(CheckedSelection& selection, ResultsKind kind, uint32_t key, TreeItem item) {
  WalkSubtree(kind, key, item, [&](uint32_t folder, TreeItem folderItem) {
    selection.CheckedFolderItems.erase(folderItem);
    for (uint32_t id : FolderFileIds(kind, folder)) selection.CheckedFileIds.erase(id);
  });
}

void CheckFolderContents(CheckedSelection& selection, ResultsKind kind, uint32_t key, bool isRootItem) {
  for (const auto& [child, childItem] : SubfolderKeys(kind, key)) {
    selection.SelectedFolderItems.insert(childItem);
    AddFolderSubtree(selection, kind, child, childItem);
  }
  for (uint32_t id : FolderFileIds(kind, key)) {
    selection.CheckedFileIds.insert(id);
    if (isRootItem) selection.SelectedRootFiles.insert(id);
  }
}

void UncheckFolderContents(CheckedSelection& selection, ResultsKind kind, uint32_t key, bool isRootItem) {
  for (const auto& [child, childItem] : SubfolderKeys(kind, key)) {
    selection.SelectedFolderItems.erase(childItem);
    RemoveFolderSubtree(selection, kind, child, childItem);
  }
  for (uint32_t id : FolderFileIds(kind, key)) {
    selection.CheckedFileIds.erase(id);
    if (isRootItem) selection.SelectedRootFiles.erase(id);
  }
}

namespace {

bool RawMatches(const CarvedFileRecord& file, const std::u16string& upperText, bool group) {
  if (upperText == u"ROOT") return true;
  const char16_t* field = group ? file.fileType : file.extension;
  return field != nullptr && UpperCase(field) == upperText;
}

}  // namespace

void CheckRawGroup(CheckedSelection& selection, const std::u16string& text, bool group) {
  const std::u16string upper = UpperCase(text);
  for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next)
    if (RawMatches(*f, upper, group)) {
      selection.SelectedRootFiles.insert(f->runningNumber);
      selection.CheckedFileIds.insert(f->runningNumber);
    }
}

void UncheckRawGroup(CheckedSelection& selection, const std::u16string& text, bool group) {
  const std::u16string upper = UpperCase(text);
  for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next)
    if (RawMatches(*f, upper, group)) {
      selection.SelectedRootFiles.erase(f->runningNumber);
      selection.CheckedFileIds.erase(f->runningNumber);
    }
}

void AddFolderTotals(ResultsKind kind, uint32_t key) {
  ++SelectionTotals.folders;
  switch (kind) {
    case ResultsKind::Fat:
      for (FatFileEntry* f = FatFileList.head; f; f = f->next)
        if (f->parentCluster == key) ++SelectionTotals.files, SelectionTotals.bytes += f->size;
      break;
    case ResultsKind::Ntfs:
      for (NtfsFileEntry* f = NtfsFileList.head; f; f = f->next)
        if (f->parentRecord == key) ++SelectionTotals.files, SelectionTotals.bytes += f->size;
      break;
    case ResultsKind::AdvanceNtfs:
      for (AdvanceNtfsFileEntry* f = AdvanceNtfsFileList.head; f; f = f->next)
        if (f->parentRecord == key && LiesInPickedVolume(f->sector)) ++SelectionTotals.files, SelectionTotals.bytes += f->size;
      break;
    default:
      break;
  }
}

void AddSubtreeTotals(ResultsKind kind, uint32_t key) {
  WalkSubtree(kind, key, 0, [kind](uint32_t folder, TreeItem) { AddFolderTotals(kind, folder); });
}
