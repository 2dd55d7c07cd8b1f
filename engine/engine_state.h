// Process-wide state of the recovery engine: codes, the selected device, the
// partition parameters every parser reads, scan control, recovery settings,
// counters and the Standard Scan's found-entry lists.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine_ui.h"

// Scan modes (snapshot letters 'A', 'R', 'D').
enum : int { kAdvanceScan = 0, kRawScan = 1, kStandardScan = 2 };

// File-system codes.
enum : uint16_t { kFat16 = 100, kFat32 = 200, kNtfs = 300, kUnreadableVolume = 400 };

// What is selected in the drive tree.
enum : uint16_t { kPhysicalDrive = 1, kLogicalDrive = 2, kNothingSelected = 3 };

constexpr uint32_t kSectorSize = 512;

extern int ScanMode;

// Device selection.
extern uint16_t SelectedDriveIndex;
extern uint16_t DriveKind;
extern char DeviceNameTable[10][20];
extern std::u16string SelectedDevicePath;

#pragma pack(push, 1)
struct PartitionParametersRecord {
    uint16_t chosenType;
    uint32_t startSector;
    uint32_t sectorCount;
    uint32_t endSector;
    uint16_t logicalDriveIndex;
    uint16_t scannedType;
    // The next thirteen values are in the order of a found volume's.
    uint32_t sectorsPerFat;
    uint32_t sectorsPerCluster;
    uint32_t rootDirSectors;
    uint32_t root;
    uint32_t reservedSectors;
    uint32_t cluster0Sector;
    uint32_t fat1Start;
    uint32_t fat2Start;
    uint32_t mftStart;
    uint32_t mftMirrStart;
    uint32_t constantField;
    uint32_t indexRecordSectors;
    uint32_t volumeEndSector;
    uint16_t foundVolumeIndex;
};
#pragma pack(pop)

extern PartitionParametersRecord PartitionParameters;

struct PartitionEntry {
    uint32_t startSector;
    uint32_t sectorCount;
    uint16_t fileSystemType;
};
constexpr int kMaxPartitions = 25;
extern PartitionEntry PartitionTable[kMaxPartitions];
extern int PartitionCount;

// Scan control, shared by the scan workers and the scan pages.
extern std::atomic<uint8_t> ScanRunning;
extern std::atomic<int> ScanStopFlag;
extern std::atomic<int> ShowScanProgress;
extern int ParametersNotFound;
// One flag per pass of the Advance Scan's second stage.
extern std::atomic<int> AdvancePassDone[2];
extern int SearchPartitionsRequested;
extern int LoadingSnapshot;
extern int ListWithProgress;
extern TreeItem CurrentFolderItem;

// Pages of the wizard, by their index in the application's view array.
enum : int { kStartPage = 0, kDrivePage = 1, kScanPage = 2, kFileSystemPage = 3, kResultsPage = 4 };

// Recovery settings and filters.
extern int SectorsPerRead;
extern uint16_t DuplicatePolicy;
extern uint16_t DeletedFilesPolicy;
extern uint16_t BadSectorRetries;
constexpr int kMaxFilters = 100;
constexpr int kFilterLength = 20;
extern char16_t FilterTable[kMaxFilters][kFilterLength];
extern int FilterCount;

// Recovery run state.
extern std::u16string RecoveryDestination;
extern std::atomic<int> StopAllRecovery;
extern std::atomic<int> SkipCurrentFile;
extern int RecoveredCount;

// The next program message.
extern std::u16string AppMessageText;
extern int AppMessageKind;

// Counters of the current scan.
extern uint32_t FoldersFound;
extern uint32_t FilesFound;
extern uint32_t EntriesParsed;
extern uint64_t TotalFoundSize;
extern uint32_t TreeProgressCount;
extern uint32_t ProgressPercent;

// Found-entry lists.
struct FatFolderEntry {
    char16_t* name;
    uint32_t cluster;
    uint32_t parentCluster;
    uint16_t writeDate;
    uint16_t accessDate;
    TreeItem treeItem;
    uint32_t deleted;
    uint16_t spare;
    FatFolderEntry* next;
};

struct FatFileEntry {
    char16_t* name;
    uint32_t firstCluster;
    uint32_t parentCluster;
    uint16_t writeDate;
    uint16_t accessDate;
    uint32_t size;
    uint32_t deleted;
    uint32_t fileNumber;
    FatFileEntry* next;
};

struct NtfsFolderEntry {
    char16_t* name;
    uint32_t recordNumber;
    uint32_t parentRecord;
    uint64_t creationTime;
    uint64_t secondTime;
    TreeItem treeItem;
    uint32_t deleted;
    uint16_t spare;
    NtfsFolderEntry* next;
};

struct NtfsFileEntry {
    char16_t* name;
    uint32_t recordNumber;
    uint32_t parentRecord;
    uint64_t creationTime;
    uint64_t secondTime;
    uint64_t size;
    uint32_t deleted;
    uint32_t dataRecordSector;
    NtfsFileEntry* next;
};

template <typename Entry>
struct EntryList {
    Entry* head = nullptr;
    Entry* tail = nullptr;
};

// Frees every node and what `freeOwned` frees of it; leaves the list empty.
template <typename Entry, typename FreeOwned>
void FreeEntryList(EntryList<Entry>& list, FreeOwned freeOwned) {
    Entry* node = list.head;
    while (node) {
        Entry* next = node->next;
        freeOwned(*node);
        std::free(node);
        node = next;
    }
    list.head = list.tail = nullptr;
}

// Frees every node and its name; leaves the list empty.
template <typename Entry>
void FreeEntryList(EntryList<Entry>& list) {
    FreeEntryList(list, [](Entry& node) { std::free(node.name); });
}

extern EntryList<FatFolderEntry> FatFolderList;
extern EntryList<FatFileEntry> FatFileList;
extern EntryList<NtfsFolderEntry> NtfsFolderList;
extern EntryList<NtfsFileEntry> NtfsFileList;

constexpr uint32_t kNtfsRootRecord = 5;
constexpr uint32_t kLostDirRecord = 0xFFFFFFFE;

void AddFatFile(const char16_t* name, uint32_t firstCluster, uint32_t parentCluster,
                uint16_t writeDate, uint16_t accessDate, uint32_t size, uint32_t deleted);
void AddFatFolder(const char16_t* name, uint32_t cluster, uint32_t parentCluster,
                  uint16_t writeDate, uint16_t accessDate, TreeItem treeItem, uint32_t deleted);
void AddNtfsFile(uint32_t dataRecordSector, const char16_t* name, uint32_t recordNumber,
                 uint32_t parentRecord, uint64_t creationTime, uint64_t secondTime,
                 uint32_t deleted, uint64_t size);
void AddNtfsFolder(const char16_t* name, uint32_t recordNumber, uint32_t parentRecord,
                   uint64_t creationTime, uint64_t secondTime, TreeItem treeItem, uint32_t deleted);
void AddNtfsFolderUnique(const char16_t* name, uint32_t recordNumber, uint32_t parentRecord,
                         uint64_t creationTime, uint64_t secondTime, TreeItem treeItem,
                         uint32_t deleted);
void FreeStandardScanLists();

// Heap copies of a terminated UTF-16 name or 8-bit text (null copies as
// empty); end the process with the out-of-memory message when memory is
// exhausted.
char16_t* CopyName(const char16_t* name);
char* CopyText(const char* text);
[[noreturn]] void OutOfMemory();

// A zeroed heap node; ends the process with the out-of-memory message when
// memory is exhausted.
template <typename Node>
Node* AllocateNode() {
    Node* node = static_cast<Node*>(std::calloc(1, sizeof(Node)));
    if (!node) OutOfMemory();
    return node;
}

// Appends a node at the list's tail.
template <typename Node>
void LinkNode(EntryList<Node>& list, Node* node) {
    node->next = nullptr;
    if (!list.head) {
        list.head = list.tail = node;
    } else {
        list.tail->next = node;
        list.tail = node;
    }
}

// Length of a terminated UTF-16 text.
size_t NameLength(const char16_t* name);

// 1 when the file system reports attributes for the path.
int FileExists(const std::u16string& path);

// Puts the engine's state back to how it is at start-up (tests and the harness).
void ResetEngineState();
