#include "saving_run.h"

#include <map>
#include <unordered_map>

#include "advance/advance_lists.h"
#include "device/image_devices.h"
#include "device/sector_access.h"
#include "file_recovery.h"
#include "found_lists.h"
#include "platform_files.h"
#include "raw/raw_lists.h"
#include "raw/raw_results.h"
#include "recovered_file.h"

#ifdef _WIN32
#include <windows.h>
#include <winioctl.h>
#endif

namespace {

template <typename Entry, typename KeyOf>
std::map<uint32_t, TreeItem> FolderItems(Entry* head, KeyOf keyOf) {
  std::map<uint32_t, TreeItem> items;
  for (Entry* f = head; f; f = f->next) items.emplace(keyOf(*f), f->treeItem);
  return items;
}

std::vector<std::u16string> PathOfKey(const std::map<uint32_t, TreeItem>& items, uint32_t key,
                                      const FolderPathOf& folderPath) {
  auto found = items.find(key);
  if (found == items.end() || found->second == 0 || !folderPath) return {};
  return folderPath(found->second);
}

// Creates the folder path below the destination; empty when it cannot.
std::u16string MakeFolders(const std::u16string& destination, const std::vector<std::u16string>& folder) {
  std::u16string current = destination;
  for (const std::u16string& name : folder) {
    const std::u16string next = JoinPath(current, SafeFileName(name.c_str()));
    if (!LiesInsideFolder(current, next) || !CreateFolder(next)) return u"";
    current = next;
  }
  return current;
}

// The entries a run writes, by the ids its items carry. Looking each item
// up by walking its list made a run quadratic: an Advance scan lists every
// FILE record of the disk, and saving many of them took minutes. The first
// entry of an id is the one kept, as the walk found it.
struct EntryIndex {
  std::unordered_map<uint32_t, FatFileEntry*> fat;
  std::unordered_map<uint32_t, NtfsFileEntry*> ntfs;
  std::unordered_map<uint32_t, AdvanceNtfsFileEntry*> advance;
  std::unordered_map<uint32_t, CarvedFileRecord*> carved;
};

EntryIndex IndexEntries(const std::vector<SaveItem>& items) {
  bool wanted[5] = {};
  for (const SaveItem& item : items) {
    switch (item.kind) {
      case ResultsKind::Fat: wanted[0] = true; break;
      case ResultsKind::Ntfs: wanted[1] = true; break;
      case ResultsKind::AdvanceNtfs: wanted[2] = true; break;
      case ResultsKind::Raw: wanted[3] = true; break;
      default: break;
    }
  }
  EntryIndex index;
  if (wanted[0])
    for (FatFileEntry* f = FatFileList.head; f; f = f->next) index.fat.emplace(f->fileNumber, f);
  if (wanted[1])
    for (NtfsFileEntry* f = NtfsFileList.head; f; f = f->next) index.ntfs.emplace(f->dataRecordSector, f);
  if (wanted[2])
    for (AdvanceNtfsFileEntry* f = AdvanceNtfsFileList.head; f; f = f->next) index.advance.emplace(f->sector, f);
  if (wanted[3])
    for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next) index.carved.emplace(f->runningNumber, f);
  return index;
}

template <typename Entry>
Entry* Find(const std::unordered_map<uint32_t, Entry*>& entries, uint32_t id) {
  auto found = entries.find(id);
  return found != entries.end() ? found->second : nullptr;
}

// Writes the entry of an item into folder under its own name, or under
// `as` when given (a preview's temporary name).
int WriteItem(const std::u16string& folder, const SaveItem& item, int mode, const EntryIndex& index,
              const char16_t* as = nullptr) {
  auto named = [as](char16_t* name) { return as != nullptr ? const_cast<char16_t*>(as) : name; };
  switch (item.kind) {
    case ResultsKind::Fat:
      if (FatFileEntry* f = Find(index.fat, item.id)) {
        FatFileEntry entry = *f;
        entry.name = named(f->name);
        return RecoverFatEntry(folder, entry, mode);
      }
      break;
    case ResultsKind::Ntfs:
      if (NtfsFileEntry* f = Find(index.ntfs, item.id)) {
        NtfsFileEntry entry = *f;
        entry.name = named(f->name);
        return RecoverNtfsEntry(folder, entry, mode);
      }
      break;
    case ResultsKind::AdvanceNtfs:
      if (AdvanceNtfsFileEntry* f = Find(index.advance, item.id))
        if (LiesInPickedVolume(f->sector)) {
          // The file's record sector is where the NTFS writer reads it from.
          NtfsFileEntry entry{named(f->name), f->recordNumber, f->parentRecord, f->creationTime, f->secondTime,
                              f->size, f->deleted, f->sector, nullptr};
          return RecoverNtfsEntry(folder, entry, mode);
        }
      break;
    case ResultsKind::Raw:
      if (CarvedFileRecord* f = Find(index.carved, item.id)) {
        CarvedFileRecord record = *f;
        record.name = named(f->name);
        return RecoverCarvedFile(folder, record);
      }
      break;
    default:
      break;
  }
  return 0;
}

std::u16string Lower(std::u16string text) {
  for (char16_t& c : text)
    if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
  return text;
}

#ifdef _WIN32
// The drive letter a path lies on, after the system resolved it; 0 for
// network and device paths.
char16_t DriveLetterOf(const std::u16string& path) {
  wchar_t full[MAX_PATH * 2] = {};
  const DWORD length = GetFullPathNameW(reinterpret_cast<const wchar_t*>(path.c_str()), MAX_PATH * 2, full, nullptr);
  if (length < 2 || length >= MAX_PATH * 2 || full[1] != L':') return 0;
  wchar_t letter = full[0];
  if (letter >= L'a' && letter <= L'z') letter = static_cast<wchar_t>(letter - L'a' + L'A');
  return static_cast<char16_t>(letter);
}

// The physical disk a drive letter's volume lies on, or -1.
int DiskOfLetter(char16_t letter) {
  for (const ImageDevice& device : ImageDevices())
    for (const ImageVolume& volume : device.volumes)
      if (volume.letter == letter) return device.driveNumber;
  wchar_t path[] = L"\\\\.\\X:";
  path[4] = static_cast<wchar_t>(letter);
  HANDLE volume = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (volume == INVALID_HANDLE_VALUE) return -1;
  VOLUME_DISK_EXTENTS extents = {};
  DWORD bytes = 0;
  int disk = -1;
  if (DeviceIoControl(volume, IOCTL_VOLUME_GET_VOLUME_DISK_EXTENTS, nullptr, 0, &extents, sizeof(extents), &bytes,
                      nullptr) &&
      extents.NumberOfDiskExtents > 0)
    disk = static_cast<int>(extents.Extents[0].DiskNumber);
  CloseHandle(volume);
  return disk;
}

bool IsExistingFolder(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str()));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool LiesOnScannedDevice(const std::u16string& destination) {
  const char16_t letter = DriveLetterOf(destination);
  if (letter == 0 || SelectedDevicePath.empty()) return false;
  const std::u16string device = Lower(SelectedDevicePath);
  // "\\.\x:" names a volume, "\\.\physicaldriveN" a disk.
  if (device.size() >= 2 && device[device.size() - 1] == u':') {
    char16_t scanned = device[device.size() - 2];
    if (scanned >= u'a' && scanned <= u'z') scanned = char16_t(scanned - u'a' + u'A');
    return scanned == letter;
  }
  const size_t at = device.find(u"physicaldrive");
  if (at == std::u16string::npos) return false;
  int number = 0;
  for (size_t i = at + 13; i < device.size() && device[i] >= u'0' && device[i] <= u'9'; ++i)
    number = number * 10 + (device[i] - u'0');
  return DiskOfLetter(letter) == number;
}
#endif

}  // namespace

std::vector<SaveItem> GatherCheckedFiles(const CheckedSelection& selection, ResultsKind kind,
                                         const FolderPathOf& folderPath) {
  std::vector<SaveItem> items;
  const auto& ids = selection.CheckedFileIds;
  switch (kind) {
    case ResultsKind::Fat: {
      const auto folders = FolderItems(FatFolderList.head, [](const FatFolderEntry& f) { return f.cluster; });
      for (FatFileEntry* f = FatFileList.head; f; f = f->next)
        if (ids.count(f->fileNumber) != 0)
          items.push_back({kind, f->fileNumber, PathOfKey(folders, f->parentCluster, folderPath), f->name});
      break;
    }
    case ResultsKind::Ntfs:
    case ResultsKind::AdvanceNtfs: {
      const auto folders = FolderItems(NtfsFolderList.head, [](const NtfsFolderEntry& f) { return f.recordNumber; });
      if (kind == ResultsKind::Ntfs) {
        for (NtfsFileEntry* f = NtfsFileList.head; f; f = f->next)
          if (ids.count(f->dataRecordSector) != 0)
            items.push_back({kind, f->dataRecordSector, PathOfKey(folders, f->parentRecord, folderPath), f->name});
      } else {
        for (AdvanceNtfsFileEntry* f = AdvanceNtfsFileList.head; f; f = f->next)
          if (ids.count(f->sector) != 0 && LiesInPickedVolume(f->sector))
            items.push_back({kind, f->sector, PathOfKey(folders, f->parentRecord, folderPath), f->name});
      }
      break;
    }
    case ResultsKind::Raw:
      for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next)
        if (ids.count(f->runningNumber) != 0) items.push_back({kind, f->runningNumber, {}, f->name});
      break;
    default:
      break;
  }
  return items;
}

std::u16string DestinationProblem(const std::u16string& destination) {
  if (destination.empty()) return u"Please choose a folder to save the files in.";
  if (!IsExistingFolder(destination))
    return u"The folder \"" + destination + u"\" does not exist. Please choose an existing folder.";
  if (LiesOnScannedDevice(destination))
    return u"The folder \"" + destination +
           u"\" lies on the device being recovered. Saving there could overwrite the files you want back. "
           u"Please choose a folder on another drive.";
  return u"";
}

int SaveItems(const std::u16string& destination, const std::vector<SaveItem>& items, int mode,
              SavingProgress& progress) {
  RecoveredCount = 0;
  int written = 0;
  const EntryIndex index = IndexEntries(items);
  for (size_t i = 0; i < items.size(); ++i) {
    if (StopAllRecovery == 1) break;
    const SaveItem& item = items[i];
    std::u16string folder = MakeFolders(destination, item.folder);
    {
      std::lock_guard<std::mutex> hold(progress.lock);
      progress.currentFile = JoinPath(folder.empty() ? destination : folder, SafeFileName(item.name.c_str()));
      progress.percent = int(100 * i / items.size());
    }
    if (folder.empty()) continue;
    if (WriteItem(folder, item, mode, index) == 1) ++written;
    std::lock_guard<std::mutex> hold(progress.lock);
    progress.written = written;
  }
  {
    std::lock_guard<std::mutex> hold(progress.lock);
    progress.percent = 100;
  }
  StopAllRecovery = 0;
  RecoveredCount = 0;
  return written;
}

int ExtractForPreview(const std::u16string& folder, ResultsKind kind, uint32_t id, const std::u16string& tempName,
                      std::u16string& written) {
  written.clear();
  RecoveredFilePath.clear();
  const SaveItem item{kind, id, {}, tempName};
  const int result = WriteItem(folder, item, kPlainMode, IndexEntries({item}), tempName.c_str());
  if (result == 1) written = RecoveredFilePath;
  return result;
}
