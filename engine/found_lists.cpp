#include "found_lists.h"

#include <cstdlib>

#include "scan_control.h"
#include "text.h"
#include "entry_list.h"

uint32_t FoldersFound = 0;
uint32_t FilesFound = 0;
uint32_t EntriesParsed = 0;
uint64_t TotalFoundSize = 0;
uint32_t TreeProgressCount = 0;
TreeItem CurrentFolderItem = 0;

EntryList<FatFolderEntry> FatFolderList;
EntryList<FatFileEntry> FatFileList;
EntryList<NtfsFolderEntry> NtfsFolderList;
EntryList<NtfsFileEntry> NtfsFileList;

namespace {

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
