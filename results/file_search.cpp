#include "file_search.h"

#include "advance/advance_lists.h"
#include "folder_listing.h"
#include "found_lists.h"
#include "text.h"

namespace {

std::u16string PathOf(const FolderPaths& paths, uint32_t parent) {
  const auto at = paths.find(parent);
  return u"\\" + (at != paths.end() ? at->second : std::u16string());
}

std::u16string FileTimeText(uint64_t time) {
  std::u16string text;
  FileTimeToText(static_cast<uint32_t>(time), static_cast<uint32_t>(time >> 32), text);
  return text;
}

std::u16string FatDateText(uint16_t date) {
  std::u16string text;
  FatDateToText(date, text);
  return text;
}

}  // namespace

FolderPaths MakeFolderPaths(ResultsKind kind, const TreePathOf& pathOf) {
  FolderPaths paths;
  if (kind == ResultsKind::Fat) {
    for (FatFolderEntry* f = FatFolderList.head; f != nullptr; f = f->next)
      if (f->treeItem != 0) paths[f->cluster] = pathOf(f->treeItem);
  } else if (kind == ResultsKind::Ntfs || kind == ResultsKind::AdvanceNtfs) {
    for (NtfsFolderEntry* f = NtfsFolderList.head; f != nullptr; f = f->next)
      if (f->treeItem != 0) paths[f->recordNumber] = pathOf(f->treeItem);
  }
  return paths;
}

int SearchFoundFiles(ResultsKind kind, const std::u16string& pattern, const FolderPaths& paths,
                     const std::function<bool()>& proceed, const std::function<void(FoundFileRow)>& found) {
  const std::u16string upperPattern = UpperCase(pattern);
  int count = 0;
  auto consider = [&](const char16_t* name, uint32_t parent, std::u16string size, std::u16string created,
                      std::u16string modified, uint32_t id) {
    const std::u16string upper = UpperCase(name);
    if (!MatchFilter(upper, upperPattern)) return;
    ++count;
    found(FoundFileRow{upper, PathOf(paths, parent), std::move(size), std::move(created), std::move(modified), id,
                       name});
  };
  if (kind == ResultsKind::Fat) {
    for (FatFileEntry* f = FatFileList.head; f != nullptr && proceed(); f = f->next)
      consider(f->name, f->parentCluster, Decimal(f->size), FatDateText(f->writeDate), FatDateText(f->accessDate),
               f->fileNumber);
  } else if (kind == ResultsKind::Ntfs) {
    for (NtfsFileEntry* f = NtfsFileList.head; f != nullptr && proceed(); f = f->next)
      consider(f->name, f->parentRecord, Decimal(f->size), FileTimeText(f->creationTime),
               FileTimeText(f->secondTime), f->dataRecordSector);
  } else if (kind == ResultsKind::AdvanceNtfs) {
    for (AdvanceNtfsFileEntry* f = AdvanceNtfsFileList.head; f != nullptr && proceed(); f = f->next)
      if (LiesInPickedVolume(f->sector))
        consider(f->name, f->parentRecord, Decimal(f->size), FileTimeText(f->creationTime),
                 FileTimeText(f->secondTime), f->sector);
  }
  return count;
}
