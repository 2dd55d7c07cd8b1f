#include "advance/advance_lists.h"
#include "entry_list.h"
#include "text.h"
#include "volumes/boot_params.h"

#include <cstddef>
#include <cstring>

EntryList<BootSectorCandidate> BootSectorCandidateList;
EntryList<DirClusterCandidate> DirClusterCandidateList;
EntryList<IndexRecord> IndexRecordList;
EntryList<FoundVolume> FoundVolumeList;
EntryList<AdvanceNtfsFolderEntry> AdvanceNtfsFolderList;
EntryList<AdvanceNtfsFileEntry> AdvanceNtfsFileList;

uint32_t BootCandidateCount = 0;
uint32_t AdvanceFoundCounts[2] = {0, 0};
uint32_t IndexRecordCount = 0;
uint32_t AnalysedCount = 0;
uint16_t FoundVolumeCount = 0;

void AddBootSectorCandidate(uint32_t sector) {
    BootSectorCandidate* node = AllocateNode<BootSectorCandidate>();
    node->sector = sector;
    LinkNode(BootSectorCandidateList, node);
}

void AddDirClusterCandidate(uint32_t sector, uint32_t ownCluster, uint32_t parentCluster,
                            uint16_t writeDate, uint16_t accessDate) {
    DirClusterCandidate* node = AllocateNode<DirClusterCandidate>();
    node->sector = sector;
    node->ownCluster = ownCluster;
    node->parentCluster = parentCluster;
    node->writeDate = writeDate;
    node->accessDate = accessDate;
    node->volumeMark = kUnplaced;
    LinkNode(DirClusterCandidateList, node);
}

void AddIndexRecordNode(uint32_t sector, uint32_t folderRecord, uint32_t vcn,
                        uint8_t sectorCount) {
    IndexRecord* node = AllocateNode<IndexRecord>();
    node->sector = sector;
    node->folderRecord = folderRecord;
    node->vcn = vcn;
    node->mark = 0xFFFF;
    node->sectorCount = sectorCount;
    LinkNode(IndexRecordList, node);
}

void AddFoundVolume(uint16_t type, const FoundVolumeValues& values, TreeItem treeItem) {
    FoundVolume* node = AllocateNode<FoundVolume>();
    node->type = type;
    node->values = values;
    node->treeItem = treeItem;
    LinkNode(FoundVolumeList, node);
}

void AddAdvanceNtfsFolder(const char16_t* name, uint32_t sector, uint32_t parentRecord,
                          uint32_t recordNumber, uint64_t creationTime, uint64_t secondTime,
                          uint32_t firstIndexCluster, uint32_t deleted) {
    AdvanceNtfsFolderEntry* node = AllocateNode<AdvanceNtfsFolderEntry>();
    node->name = CopyName(name);
    node->sector = sector;
    node->parentRecord = parentRecord;
    node->recordNumber = recordNumber;
    node->volumeNumber = kUnplaced;
    node->creationTime = creationTime;
    node->secondTime = secondTime;
    node->firstIndexCluster = firstIndexCluster;
    node->deleted = deleted;
    LinkNode(AdvanceNtfsFolderList, node);
    ++AdvanceFoundCounts[0];
}

void AddAdvanceNtfsFile(const char16_t* name, uint32_t sector, uint32_t parentRecord,
                        uint64_t creationTime, uint64_t secondTime, uint64_t size,
                        uint32_t deleted) {
    AdvanceNtfsFileEntry* node = AllocateNode<AdvanceNtfsFileEntry>();
    node->name = CopyName(name);
    node->sector = sector;
    node->parentRecord = parentRecord;
    node->recordNumber = 0;
    node->creationTime = creationTime;
    node->secondTime = secondTime;
    node->size = size;
    node->spare = 0;
    node->deleted = deleted;
    LinkNode(AdvanceNtfsFileList, node);
    ++AdvanceFoundCounts[1];
}

void FreeAdvanceScanLists() {
    AdvanceFoundCounts[0] = AdvanceFoundCounts[1] = 0;
    BootCandidateCount = 0;
    FoundVolumeCount = 0;
    IndexRecordCount = 0;
    const auto ownsNothing = [](auto&) {};
    FreeEntryList(IndexRecordList, ownsNothing);
    FreeEntryList(DirClusterCandidateList, ownsNothing);
    FreeEntryList(BootSectorCandidateList, ownsNothing);
    FreeEntryList(FoundVolumeList, ownsNothing);
    FreeEntryList(AdvanceNtfsFolderList);
    FreeEntryList(AdvanceNtfsFileList);
}

// A volume's values and the geometry of PartitionParameters are laid out
// alike, so that picking one copies them one to one.
static_assert(sizeof(FoundVolumeValues) == 13 * sizeof(uint32_t), "thirteen values");
static_assert(offsetof(PartitionParametersRecord, volumeEndSector) -
                      offsetof(PartitionParametersRecord, sectorsPerFat) ==
                  offsetof(FoundVolumeValues, endSector),
              "the same order");

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
    p.scannedType = volume->type;
    std::memcpy(&p.sectorsPerFat, &volume->values, sizeof(FoundVolumeValues));
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
