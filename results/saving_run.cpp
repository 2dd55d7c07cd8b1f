#include "saving_run.h"

#include <map>

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

// Writes the entry of an item into folder under its own name, or under
// `as` when given (a preview's temporary name).
int WriteItem(const std::u16string& folder, const SaveItem& item, int mode, const char16_t* as = nullptr) {
  auto named = [as](char16_t* name) { return as != nullptr ? const_cast<char16_t*>(as) : name; };
  switch (item.kind) {
    case ResultsKind::Fat:
      for (FatFileEntry* f = FatFileList.head; f; f = f->next)
        if (f->fileNumber == item.id) {
          FatFileEntry entry = *f;
          entry.name = named(f->name);
          return RecoverFatEntry(folder, entry, mode);
        }
      break;
    case ResultsKind::Ntfs:
      for (NtfsFileEntry* f = NtfsFileList.head; f; f = f->next)
        if (f->dataRecordSector == item.id) {
          NtfsFileEntry entry = *f;
          entry.name = named(f->name);
          return RecoverNtfsEntry(folder, entry, mode);
        }
      break;
    case ResultsKind::AdvanceNtfs:
      for (AdvanceNtfsFileEntry* f = AdvanceNtfsFileList.head; f; f = f->next)
        if (f->sector == item.id && LiesInPickedVolume(f->sector)) {
          // The file's record sector is where the NTFS writer reads it from.
          NtfsFileEntry entry{named(f->name), f->recordNumber, f->parentRecord, f->creationTime, f->secondTime,
                              f->size, f->deleted, f->sector, nullptr};
          return RecoverNtfsEntry(folder, entry, mode);
        }
      break;
    case ResultsKind::Raw:
      for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next)
        if (f->runningNumber == item.id) {
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
    if (WriteItem(folder, item, mode) == 1) ++written;
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
  const int result = WriteItem(folder, SaveItem{kind, id, {}, tempName}, kPlainMode, tempName.c_str());
  if (result == 1) written = RecoveredFilePath;
  return result;
}
