#include "snapshot/snapshot.h"

#include <cstdio>
#include <new>
#include <vector>

#include "app_message.h"
#include "advance/advance_lists.h"
#include "engine_ui.h"
#include "found_lists.h"
#include "scan_control.h"
#include "volumes/boot_params.h"
#include "platform_files.h"
#include "folder_listing.h"
#include "device/logical_drives.h"
#include "ntfs/mft_runs.h"
#include "raw/raw_lists.h"
#include "raw/raw_results.h"
#include "device/sector_access.h"
#include "snapshot/snapshot_format.h"
#include "text.h"

int LoadingSnapshot = 0;

namespace {

const char16_t kInvalidFile[] = u"Invalid File.";
const char16_t kCannotOpen[] = u"Unable to open the file";
// A snapshot of millions of entries is still far smaller than this.
constexpr size_t kMaxSnapshotSize = size_t(1) << 30;

bool EndsWithWrx(const std::u16string& path) {
    return path.size() >= 4 && UpperCase(path.substr(path.size() - 4)) == u".WRX";
}

size_t NameStart(const std::u16string& path) {
    size_t slash = path.find_last_of(u"\\/");
    return slash == std::u16string::npos ? 0 : slash + 1;
}

// The file name is upper-cased, not the folders: on systems whose file
// names are case-sensitive the folders must stay as they are.
std::u16string UpperCaseName(const std::u16string& path) {
    size_t start = NameStart(path);
    return path.substr(0, start) + UpperCase(path.substr(start));
}

void CollectFileSystemLists(SnapshotContents& c) {
    const bool advance = c.mode == kAdvanceSnapshot;
    if (c.volume.scannedType == kFat16 || c.volume.scannedType == kFat32) {
        for (FatFolderEntry* f = FatFolderList.head; f; f = f->next)
            c.fatFolders.push_back({f->name, f->cluster, f->parentCluster, f->writeDate,
                                    f->accessDate, uint8_t(f->deleted), f->spare});
        for (FatFileEntry* f = FatFileList.head; f; f = f->next)
            c.fatFiles.push_back({f->name, f->firstCluster, f->parentCluster, f->writeDate,
                                  f->accessDate, f->size, uint8_t(f->deleted), f->fileNumber});
    } else if (c.volume.scannedType == kNtfs) {
        for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next)
            c.ntfsFolders.push_back({f->name, f->recordNumber, f->parentRecord, f->creationTime,
                                     f->secondTime, uint8_t(f->deleted), f->spare});
        if (!advance) {
            for (NtfsFileEntry* f = NtfsFileList.head; f; f = f->next)
                c.ntfsFiles.push_back({f->dataRecordSector, f->name, f->recordNumber,
                                       f->parentRecord, f->creationTime, f->secondTime,
                                       uint8_t(f->deleted), f->size});
            return;
        }
        // The Advance Scan's files of the chosen volume, by their FILE-record
        // sectors; their record numbers are not known.
        for (AdvanceNtfsFileEntry* f = AdvanceNtfsFileList.head; f; f = f->next)
            if (LiesInPickedVolume(f->sector))
                c.ntfsFiles.push_back({f->sector, f->name, 0, f->parentRecord, f->creationTime,
                                       f->secondTime, uint8_t(f->deleted), f->size});
        FilesFound = uint32_t(c.ntfsFiles.size());
    }
}

void CollectRawLists(SnapshotContents& c) {
    for (SignatureEntry* s = SignatureList.head; s; s = s->next)
        c.signatures.push_back({s->extension, s->fileType, s->signature, s->signatureLength,
                                s->number});
    for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next)
        c.carvedFiles.push_back({f->extension, f->name, f->fileType, f->runningNumber,
                                 f->startSector});
}

int WriteSnapshot(const std::u16string& chosen, const SnapshotContents& contents) {
    const std::u16string path = SnapshotSavePath(chosen);
    if (FileExists(path)) {
        if (AskAppQuestion(3, path + u" already exists.\r\nDo you want to replace it?") != 1) return 0;
    }
    std::FILE* file = OpenFile(path, "wb+");
    if (!file) {
        ShowAppMessage(2, kCannotOpen);
        return 0;
    }
    const std::vector<uint8_t> bytes = EncodeSnapshot(contents);
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fclose(file) == 0 && written;
    if (!written) {
        ShowAppMessage(2, u"Unable to write the file " + path);
        return 0;
    }
    return 1;
}

// What every snapshot holds besides its body.
SnapshotContents ContentsToSave(char mode) {
    SnapshotContents c;
    c.mode = mode;
    c.volume = PartitionParameters;
    c.selectedDriveIndex = SelectedDriveIndex;
    c.driveKind = DriveKind;
    return c;
}

void FreeAllLists() {
    FreeStandardScanLists();
    FreeAdvanceScanLists();
    FreeCarvedFileList();
    FreeSignatureList();
}

// Reads the whole file; false (after telling the user) when it cannot.
bool ReadSnapshotFile(const std::u16string& path, std::vector<uint8_t>& bytes) {
    switch (ReadFileBytes(path, kMaxSnapshotSize, bytes)) {
        case FileRead::Ok: return true;
        case FileRead::CannotOpen: ShowAppMessage(2, kCannotOpen); return false;
        default: ShowAppMessage(3, kInvalidFile); return false;
    }
}

// Reads and checks a snapshot of the wanted kind; tells the user and
// returns false when it is not one.
bool DecodeFile(const std::u16string& chosenPath, bool raw, SnapshotContents& contents) {
    std::u16string path;
    for (char16_t c : chosenPath)
        if (c != u'"') path.push_back(c);
    std::vector<uint8_t> bytes;
    if (!ReadSnapshotFile(path, bytes)) return false;
    SnapshotStatus status = DecodeSnapshot(bytes.data(), bytes.size(), contents);
    if (status == SnapshotStatus::WrongTag) {
        ShowAppMessage(2, u"Invalid version of the file found : ");
        return false;
    }
    if (status == SnapshotStatus::WrongVersion) {
        ShowAppMessage(2, u"version of file does not match with current version 1.0");
        return false;
    }
    if (status != SnapshotStatus::Ok || (contents.mode == kRawSnapshot) != raw) {
        ShowAppMessage(3, kInvalidFile);
        return false;
    }
    return true;
}

// Frees every list and reads the file under the list progress dialog,
// which is closed again when the file is refused.
bool BeginLoad(const std::u16string& path, bool raw, SnapshotContents& contents) {
    EngineUi& ui = Ui();
    FreeAllLists();
    ui.OpenListProgress();
    ui.SetListProgress(0);
    if (DecodeFile(path, raw, contents)) return true;
    ui.CloseListProgress();
    return false;
}

// The snapshot's volume and drive; the drive is opened again before anything
// is read from it.
void RestoreVolumeAndDrive(const SnapshotContents& c) {
    uint32_t root = PartitionParameters.root;
    PartitionParameters = c.volume;
    PartitionParameters.root = root;
    SelectedDriveIndex = c.selectedDriveIndex;
    DriveKind = c.driveKind;
    OpenPhysicalDrive();
    OpenVolumeByLetter(PartitionParameters.logicalDriveIndex);
}

void Progress(size_t position, size_t count) {
    Ui().SetListProgress(int(count ? uint64_t(position) * 100 / count : 0));
}

void RestoreFileSystemLists(const SnapshotContents& c) {
    const size_t total = c.fatFolders.size() + c.fatFiles.size() + c.ntfsFolders.size() +
                         c.ntfsFiles.size();
    size_t position = 0;
    for (const SnapshotFatFolder& f : c.fatFolders) {
        FatFolderEntry* before = FatFolderList.tail;
        AddFatFolder(f.name.c_str(), f.cluster, f.parentCluster, f.writeDate, f.accessDate, 0,
                     f.deleted);
        if (FatFolderList.tail != before) FatFolderList.tail->spare = f.spare;
        Progress(++position, total);
    }
    for (const SnapshotFatFile& f : c.fatFiles) {
        AddFatFile(f.name.c_str(), f.firstCluster, f.parentCluster, f.writeDate, f.accessDate,
                   f.size, f.deleted);
        ++FilesFound;
        Progress(++position, total);
    }
    for (const SnapshotNtfsFolder& f : c.ntfsFolders) {
        NtfsFolderEntry* before = NtfsFolderList.tail;
        AddNtfsFolder(f.name.c_str(), f.recordNumber, f.parentRecord, f.creationTime,
                      f.secondTime, 0, f.deleted);
        if (NtfsFolderList.tail != before) NtfsFolderList.tail->spare = f.spare;
        Progress(++position, total);
    }
    for (const SnapshotNtfsFile& f : c.ntfsFiles) {
        AddNtfsFile(f.id, f.name.c_str(), f.recordNumber, f.parentRecord, f.creationTime,
                    f.secondTime, f.deleted, f.size);
        ++FilesFound;
        Progress(++position, total);
    }
}

void RestoreRawLists(const SnapshotContents& c) {
    const size_t total = c.signatures.size() + c.carvedFiles.size();
    size_t position = 0;
    for (const SnapshotSignature& s : c.signatures) {
        AddSignatureEntry(s.extension.c_str(), s.fileType.c_str(), s.signatureLength,
                          s.signature.c_str(), s.number);
        ++SignatureCount;
        Progress(++position, total);
    }
    for (const SnapshotCarvedFile& f : c.carvedFiles) {
        AddCarvedFile(f.name.c_str(), f.extension.c_str(), f.fileType.c_str(), f.runningNumber,
                      f.startSector);
        ++FilesFound;
        Progress(++position, total);
    }
}

// An empty results tree with its root item.
TreeItem StartResultsTree(EngineUi& ui) {
    ui.ClearFolderTree();
    TreeItem root = ui.InsertFolderItem(u"Root", 0);
    TreeProgressCount = 0;
    ui.SetControl(ScanControl::Stop, false, false);
    return root;
}

void FinishLoad() {
    EngineUi& ui = Ui();
    ui.SetListProgress(100);
    ui.CloseListProgress();
    ui.FocusFolderTree();
    ui.SwitchView(kResultsPage);
}

}  // namespace

std::u16string SnapshotSavePath(const std::u16string& chosen) {
    std::u16string path = UpperCaseName(chosen);
    if (!EndsWithWrx(path)) path += u".wrx";
    return path;
}

int SaveSnapshot(const std::u16string& chosen) {
    SnapshotContents c =
        ContentsToSave(ScanMode == kAdvanceScan ? kAdvanceSnapshot : kStandardSnapshot);
    CollectFileSystemLists(c);
    return WriteSnapshot(chosen, c);
}

int SaveRawSnapshot(const std::u16string& chosen) {
    SnapshotContents c = ContentsToSave(kRawSnapshot);
    CollectRawLists(c);
    return WriteSnapshot(chosen, c);
}

int OpenSnapshot(const std::u16string& chosen) {
    std::u16string path = chosen;
    if (!EndsWithWrx(path)) path = UpperCaseName(path) + u".wrx";
    if (!FileExists(path)) {
        ShowAppMessage(3, path + u" does not exists.");
        return 0;
    }
    uint8_t letter[2] = {};
    std::FILE* file = OpenFile(path, "rb");
    if (!file) {
        ShowAppMessage(2, kCannotOpen);
        return 0;
    }
    size_t got = std::fread(letter, 1, sizeof letter, file);
    std::fclose(file);
    int mode = -1;
    if (got == 2 && letter[1] == 0) {
        if (letter[0] == kStandardSnapshot) mode = kStandardScan;
        if (letter[0] == kAdvanceSnapshot) mode = kAdvanceScan;
        if (letter[0] == kRawSnapshot) mode = kRawScan;
    }
    if (mode < 0) {
        ShowAppMessage(3, kInvalidFile);
        return 0;
    }
    ScanMode = mode;
    Ui().SetStepFlags(false);  // step three becomes the current one
    Ui().SetResultColumns(mode == kRawScan);
    return mode == kRawScan ? LoadRawSnapshot(path) : LoadSnapshot(path);
}

int LoadSnapshot(const std::u16string& path) {
    LoadingSnapshot = 1;
    SnapshotContents c;
    if (!BeginLoad(path, false, c)) return 0;
    ScanMode = c.mode == kAdvanceSnapshot ? kAdvanceScan : kStandardScan;
    RestoreVolumeAndDrive(c);
    const PartitionParametersRecord& p = PartitionParameters;
    // The MFT's extents come from the snapshot's own drive.
    if (p.scannedType == kNtfs)
        ReadDataRuns(p.cluster0Sector, SelectedDriveIndex, p.mftStart, p.sectorsPerCluster,
                     p.mftMirrStart);
    RestoreFileSystemLists(c);

    EngineUi& ui = Ui();
    TreeItem root = StartResultsTree(ui);
    if (c.volume.scannedType == kNtfs) {
        ui.AddNtfsFolders(root, kNtfsRootRecord);
        ui.ExpandItem(root);
        ScanMode = kStandardScan;  // an Advance NTFS snapshot is browsed as a Standard one
        CurrentFolderItem = root;
        ListNtfsFolder(kNtfsRootRecord);
    } else {
        ui.AddFatFolders(root, 0);
        ui.ExpandItem(root);
        CurrentFolderItem = root;
        ListFatFolder(0);
    }
    FinishLoad();
    ScanStopFlag = 0;
    ScanRunning = 1;
    return 1;
}

int LoadRawSnapshot(const std::u16string& path) {
    SnapshotContents c;
    if (!BeginLoad(path, true, c)) return 0;
    ScanMode = kRawScan;
    RestoreVolumeAndDrive(c);
    RestoreRawLists(c);

    ShowRawTree(StartResultsTree(Ui()));
    FinishLoad();
    return 1;
}

void OpenVolumeByLetter(uint16_t logicalDriveIndex) {
    if (DriveKind != kLogicalDrive) return;
    PartitionParameters.logicalDriveIndex = logicalDriveIndex;
    CloseVolume();
    OpenVolume(LogicalVolumePath(logicalDriveIndex));
}
