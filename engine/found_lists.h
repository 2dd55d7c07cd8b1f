// The found-entry lists of the Standard Scan (and of a volume rebuilt by the
// Advance Scan), the counters of the current scan and the result tree's
// position.
#pragma once

#include <cstdint>

#include "engine_ui.h"
#include "entry_list.h"

// Counters of the current scan.
extern uint32_t FoldersFound;
extern uint32_t FilesFound;
extern uint32_t EntriesParsed;
extern uint64_t TotalFoundSize;
extern uint32_t TreeProgressCount;

// The result tree's item of the current folder.
extern TreeItem CurrentFolderItem;

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
