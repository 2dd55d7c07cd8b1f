#include "engine_state.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "advance/advance_lists.h"
#include "file_recovery.h"
#include "ntfs/mft_runs.h"
#include "ntfs/ntfs_record.h"
#include "raw/raw_lists.h"

int ScanMode = kStandardScan;

uint16_t SelectedDriveIndex = 0;
uint16_t DriveKind = kPhysicalDrive;
char DeviceNameTable[10][20] = {
    "\\\\.\\PhysicalDrive0", "\\\\.\\PhysicalDrive1", "\\\\.\\PhysicalDrive2",
    "\\\\.\\PhysicalDrive3", "\\\\.\\PhysicalDrive4", "\\\\.\\PhysicalDrive5",
    "\\\\.\\PhysicalDrive6", "\\\\.\\PhysicalDrive7", "\\\\.\\PhysicalDrive8",
    "\\\\.\\PhysicalDrive9"};
std::u16string SelectedDevicePath;

PartitionParametersRecord PartitionParameters = {};
PartitionEntry PartitionTable[kMaxPartitions] = {};
int PartitionCount = 0;

std::atomic<uint8_t> ScanRunning{0};
std::atomic<int> ScanStopFlag{0};
std::atomic<int> ShowScanProgress{1};
int ParametersNotFound = 0;
std::atomic<int> AdvancePassDone[2] = {{0}, {0}};
int SearchPartitionsRequested = 0;
int LoadingSnapshot = 0;
int ListWithProgress = 0;
TreeItem CurrentFolderItem = 0;

int SectorsPerRead = 60;
uint16_t DuplicatePolicy = 1;
uint16_t DeletedFilesPolicy = 1;
uint16_t BadSectorRetries = 3;
char16_t FilterTable[kMaxFilters][kFilterLength] = {};
int FilterCount = 0;

std::u16string RecoveryDestination;
std::atomic<int> StopAllRecovery{0};
std::atomic<int> SkipCurrentFile{0};
int RecoveredCount = 0;

std::u16string AppMessageText;
int AppMessageKind = 0;

uint32_t FoldersFound = 0;
uint32_t FilesFound = 0;
uint32_t EntriesParsed = 0;
uint64_t TotalFoundSize = 0;
uint32_t TreeProgressCount = 0;
uint32_t ProgressPercent = 0;

EntryList<FatFolderEntry> FatFolderList;
EntryList<FatFileEntry> FatFileList;
EntryList<NtfsFolderEntry> NtfsFolderList;
EntryList<NtfsFileEntry> NtfsFileList;

namespace {

EngineUi silentUi;
EngineUi* currentUi = &silentUi;

template <typename Entry>
Entry* NewEntry(const char16_t* name) {
    Entry* node = AllocateNode<Entry>();
    node->name = CopyName(name);
    return node;
}

NtfsFolderEntry* FindNtfsFolder(uint32_t recordNumber) {
    for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next)
        if (f->recordNumber == recordNumber) return f;
    return nullptr;
}

void AppendNtfsFolder(const char16_t* name, uint32_t recordNumber, uint32_t parentRecord,
                      uint64_t creationTime, uint64_t secondTime, TreeItem treeItem,
                      uint32_t deleted) {
    NtfsFolderEntry* node = NewEntry<NtfsFolderEntry>(name);
    node->recordNumber = recordNumber;
    node->parentRecord = parentRecord;
    node->creationTime = creationTime;
    node->secondTime = secondTime;
    node->treeItem = treeItem;
    node->deleted = deleted;
    LinkNode(NtfsFolderList, node);
    ++FoldersFound;
}

}  // namespace

EngineUi& Ui() { return *currentUi; }
void SetEngineUi(EngineUi* ui) { currentUi = ui ? ui : &silentUi; }

size_t NameLength(const char16_t* name) {
    size_t n = 0;
    if (name)
        while (name[n]) ++n;
    return n;
}

void OutOfMemory() {
    AppMessageText = u"Out of memory, close other applications and run again";
    AppMessageKind = 2;
    Ui().ShowAppMessage(AppMessageKind, AppMessageText);
    std::exit(0);
}

namespace {

template <typename Char>
Char* CopyTerminated(const Char* text) {
    size_t length = text ? std::char_traits<Char>::length(text) : 0;
    Char* copy = static_cast<Char*>(std::malloc((length + 1) * sizeof(Char)));
    if (!copy) OutOfMemory();
    if (length) std::memcpy(copy, text, length * sizeof(Char));
    copy[length] = 0;
    return copy;
}

}  // namespace

char16_t* CopyName(const char16_t* name) { return CopyTerminated(name); }
char* CopyText(const char* text) { return CopyTerminated(text); }

void AddFatFile(const char16_t* name, uint32_t firstCluster, uint32_t parentCluster,
                uint16_t writeDate, uint16_t accessDate, uint32_t size, uint32_t deleted) {
    FatFileEntry* node = NewEntry<FatFileEntry>(name);
    node->firstCluster = firstCluster;
    node->parentCluster = parentCluster;
    node->writeDate = writeDate;
    node->accessDate = accessDate;
    node->size = size;
    node->deleted = deleted;
    node->fileNumber = FilesFound;
    LinkNode(FatFileList, node);
}

void AddFatFolder(const char16_t* name, uint32_t cluster, uint32_t parentCluster,
                  uint16_t writeDate, uint16_t accessDate, TreeItem treeItem, uint32_t deleted) {
    for (FatFolderEntry* f = FatFolderList.head; f; f = f->next) {
        if (f->cluster != cluster) continue;
        if (deleted || !f->deleted) return;
        // A live entry wins over a deleted one for the same cluster.
        char16_t* copy = CopyName(name);
        std::free(f->name);
        f->name = copy;
        f->deleted = 0;
        return;
    }
    FatFolderEntry* node = NewEntry<FatFolderEntry>(name);
    node->cluster = cluster;
    node->parentCluster = parentCluster;
    node->writeDate = writeDate;
    node->accessDate = accessDate;
    node->treeItem = treeItem;
    node->deleted = deleted;
    LinkNode(FatFolderList, node);
    ++FoldersFound;
}

void AddNtfsFile(uint32_t dataRecordSector, const char16_t* name, uint32_t recordNumber,
                 uint32_t parentRecord, uint64_t creationTime, uint64_t secondTime,
                 uint32_t deleted, uint64_t size) {
    NtfsFileEntry* node = NewEntry<NtfsFileEntry>(name);
    node->recordNumber = recordNumber;
    node->parentRecord = parentRecord;
    node->creationTime = creationTime;
    node->secondTime = secondTime;
    node->size = size;
    node->deleted = deleted;
    node->dataRecordSector = dataRecordSector;
    LinkNode(NtfsFileList, node);
}

void AddNtfsFolder(const char16_t* name, uint32_t recordNumber, uint32_t parentRecord,
                   uint64_t creationTime, uint64_t secondTime, TreeItem treeItem,
                   uint32_t deleted) {
    if (ScanMode == kAdvanceScan) {
        AddNtfsFolderUnique(name, recordNumber, parentRecord, creationTime, secondTime,
                            treeItem, deleted);
        return;
    }
    AppendNtfsFolder(name, recordNumber, parentRecord, creationTime, secondTime, treeItem,
                     deleted);
}

void AddNtfsFolderUnique(const char16_t* name, uint32_t recordNumber, uint32_t parentRecord,
                         uint64_t creationTime, uint64_t secondTime, TreeItem treeItem,
                         uint32_t deleted) {
    if (FindNtfsFolder(recordNumber)) return;
    AppendNtfsFolder(name, recordNumber, parentRecord, creationTime, secondTime, treeItem,
                     deleted);
}

void FreeStandardScanLists() {
    FoldersFound = 0;
    FilesFound = 0;
    EntriesParsed = 0;
    TotalFoundSize = 0;
    FreeEntryList(FatFileList);
    FreeEntryList(FatFolderList);
    FreeEntryList(NtfsFolderList);
    FreeEntryList(NtfsFileList);
}

void ResetEngineState() {
    FreeStandardScanLists();
    FreeAdvanceScanLists();
    AnalysedCount = 0;
    FreeCarvedFileList();
    FreeSignatureList();
    CarveSizeLimitMB = 3;
    ScanMode = kStandardScan;
    SelectedDriveIndex = 0;
    DriveKind = kPhysicalDrive;
    // The drive enumeration gives each slot the number of its drive.
    for (int n = 0; n < 10; ++n)
        std::snprintf(DeviceNameTable[n], sizeof DeviceNameTable[n], "\\\\.\\PhysicalDrive%d", n);
    SelectedDevicePath.clear();
    PartitionParameters = {};
    PartitionCount = 0;
    ScanRunning = 0;
    ScanStopFlag = 0;
    ShowScanProgress = 1;
    ParametersNotFound = 0;
    AdvancePassDone[0] = AdvancePassDone[1] = 0;
    SearchPartitionsRequested = 0;
    LoadingSnapshot = 0;
    ListWithProgress = 0;
    CurrentFolderItem = 0;
    SectorsPerRead = 60;
    DuplicatePolicy = 1;
    DeletedFilesPolicy = 1;
    BadSectorRetries = 3;
    FilterCount = 0;
    StopAllRecovery = 0;
    SkipCurrentFile = 0;
    RecoveredCount = 0;
    AppMessageText.clear();
    AppMessageKind = 0;
    TreeProgressCount = 0;
    ProgressPercent = 0;
    RecoveredFileTime = 0;
    RecoveredFilePath.clear();
    FreeDataRunList();
    AttributeListCount = 0;
    MftRunStarts.clear();
    MftRunLengths.clear();
    MftRunCount = 0;
}
