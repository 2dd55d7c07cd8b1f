#include "advance_lists.h"

#include <cstdlib>
#include <cstring>

WorkList<BootSectorCandidate> BootSectorCandidateList;
WorkList<DirClusterCandidate> DirClusterCandidateList;
WorkList<IndexRecord> IndexRecordList;
WorkList<FoundVolume> FoundVolumeList;
EntryList<AdvanceNtfsFolderEntry> AdvanceNtfsFolderList;
EntryList<AdvanceNtfsFileEntry> AdvanceNtfsFileList;

uint32_t BootCandidateCount = 0;
uint32_t AdvanceFoundCounts[2] = {0, 0};
uint32_t IndexRecordCount = 0;
uint32_t AnalysedCount = 0;
uint16_t FoundVolumeCount = 0;

namespace {

template <typename Node>
Node* NewNode() {
    Node* node = static_cast<Node*>(std::calloc(1, sizeof(Node)));
    if (!node) OutOfMemory();
    return node;
}

template <typename List, typename Node>
void Append(List& list, Node* node) {
    node->next = nullptr;
    if (!list.head) {
        list.head = list.tail = node;
    } else {
        list.tail->next = node;
        list.tail = node;
    }
}

template <typename List>
void FreeNodes(List& list) {
    for (auto* node = list.head; node;) {
        auto* next = node->next;
        std::free(node);
        node = next;
    }
    list.head = list.tail = nullptr;
}

}  // namespace

void AddBootSectorCandidate(uint32_t sector) {
    BootSectorCandidate* node = NewNode<BootSectorCandidate>();
    node->sector = sector;
    Append(BootSectorCandidateList, node);
}

void AddDirClusterCandidate(uint32_t sector, uint32_t ownCluster, uint32_t parentCluster,
                            uint16_t writeDate, uint16_t accessDate) {
    DirClusterCandidate* node = NewNode<DirClusterCandidate>();
    node->sector = sector;
    node->ownCluster = ownCluster;
    node->parentCluster = parentCluster;
    node->writeDate = writeDate;
    node->accessDate = accessDate;
    node->volumeMark = kUnplaced;
    Append(DirClusterCandidateList, node);
}

void AddIndexRecordNode(uint32_t sector, uint32_t folderRecord, uint32_t vcn,
                        uint8_t sectorCount) {
    IndexRecord* node = NewNode<IndexRecord>();
    node->sector = sector;
    node->folderRecord = folderRecord;
    node->vcn = vcn;
    node->mark = 0xFFFF;
    node->sectorCount = sectorCount;
    Append(IndexRecordList, node);
}

void AddFoundVolume(uint16_t type, const FoundVolumeValues& values, TreeItem treeItem) {
    FoundVolume* node = NewNode<FoundVolume>();
    node->type = type;
    node->values = values;
    node->treeItem = treeItem;
    Append(FoundVolumeList, node);
}

void AddAdvanceNtfsFolder(const char16_t* name, uint32_t sector, uint32_t parentRecord,
                          uint32_t recordNumber, uint64_t creationTime, uint64_t secondTime,
                          uint32_t firstIndexCluster, uint32_t deleted) {
    AdvanceNtfsFolderEntry* node = NewNode<AdvanceNtfsFolderEntry>();
    node->name = CopyName(name);
    node->sector = sector;
    node->parentRecord = parentRecord;
    node->recordNumber = recordNumber;
    node->volumeNumber = kUnplaced;
    node->creationTime = creationTime;
    node->secondTime = secondTime;
    node->firstIndexCluster = firstIndexCluster;
    node->deleted = deleted;
    Append(AdvanceNtfsFolderList, node);
    ++AdvanceFoundCounts[0];
}

void AddAdvanceNtfsFile(const char16_t* name, uint32_t sector, uint32_t parentRecord,
                        uint64_t creationTime, uint64_t secondTime, uint64_t size,
                        uint32_t deleted) {
    AdvanceNtfsFileEntry* node = NewNode<AdvanceNtfsFileEntry>();
    node->name = CopyName(name);
    node->sector = sector;
    node->parentRecord = parentRecord;
    node->recordNumber = 0;
    node->creationTime = creationTime;
    node->secondTime = secondTime;
    node->size = size;
    node->spare = 0;
    node->deleted = deleted;
    Append(AdvanceNtfsFileList, node);
    ++AdvanceFoundCounts[1];
}

void FreeAdvanceScanLists() {
    AdvanceFoundCounts[0] = AdvanceFoundCounts[1] = 0;
    BootCandidateCount = 0;
    FoundVolumeCount = 0;
    IndexRecordCount = 0;
    FreeNodes(IndexRecordList);
    FreeNodes(DirClusterCandidateList);
    FreeNodes(BootSectorCandidateList);
    FreeNodes(FoundVolumeList);
    FreeEntryList(AdvanceNtfsFolderList);
    FreeEntryList(AdvanceNtfsFileList);
}

FoundVolume* FoundVolumeAt(uint32_t index) {
    uint32_t position = 1;
    for (FoundVolume* v = FoundVolumeList.head; v; v = v->next, ++position)
        if (position == index) return v;
    return nullptr;
}

uint32_t PickFoundVolume(uint32_t index) {
    FoundVolume* volume = index ? FoundVolumeAt(index) : nullptr;
    if (!volume || index > 0xFFFF) return 0;
    PartitionParametersRecord& p = PartitionParameters;
    const FoundVolumeValues& v = volume->values;
    p.scannedType = volume->type;
    p.sectorsPerFat = v.sectorsPerFat;
    p.sectorsPerCluster = v.sectorsPerCluster;
    p.rootDirSectors = v.rootDirSectors;
    p.root = v.root;
    p.reservedSectors = v.reservedSectors;
    p.cluster0Sector = v.cluster0Sector;
    p.fat1Start = v.fat1Start;
    p.fat2Start = v.fat2Start;
    p.mftStart = v.mftStart;
    p.mftMirrStart = v.mftMirrStart;
    p.constantField = v.constantField;
    p.indexRecordSectors = v.indexRecordSectors;
    p.volumeEndSector = v.endSector;
    p.foundVolumeIndex = uint16_t(index);
    return index;
}

uint32_t PickFoundVolumeByItem(TreeItem item) {
    if (!item) return 0;
    uint32_t position = 1;
    for (FoundVolume* v = FoundVolumeList.head; v; v = v->next, ++position)
        if (v->treeItem == item) return PickFoundVolume(position);
    return 0;
}

int LiesInPickedVolume(uint32_t recordSector) {
    return recordSector > PartitionParameters.cluster0Sector &&
                   recordSector <= PartitionParameters.volumeEndSector
               ? 1
               : 0;
}
