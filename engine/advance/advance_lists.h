// The Advance Scan's process-wide data: what the sweep keeps of the raw
// device (boot-sector candidates, directory starts, index buffers, MFT
// records), the volumes rebuilt from it, and their release.
#pragma once

#include <cstdint>

#include "engine_ui.h"
#include "entry_list.h"

struct BootSectorCandidate {
    uint32_t sector;
    BootSectorCandidate* next;
};

// Volume marks of directory candidates and NTFS folders.
constexpr uint16_t kUnplaced = 0;
constexpr uint16_t kNoVolume = 0xFFFF;

struct DirClusterCandidate {
    uint32_t sector;  // holds the "." and ".." entries
    uint32_t ownCluster;
    uint32_t parentCluster;
    uint16_t writeDate;
    uint16_t accessDate;
    uint16_t volumeMark;  // 0, the 1-based volume, or kNoVolume
    DirClusterCandidate* next;
};

struct IndexRecord {
    uint32_t sector;
    uint32_t folderRecord;  // MFT record of the folder that owns the buffer
    uint32_t vcn;
    uint16_t mark;
    uint8_t sectorCount;
    IndexRecord* next;
};

// The thirteen values follow the order of PartitionParameters' geometry, so
// that picking a volume copies them one to one.
struct FoundVolumeValues {
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
    uint32_t endSector;
};

struct FoundVolume {
    uint16_t type;
    FoundVolumeValues values;
    TreeItem treeItem;
    FoundVolume* next;
};

struct AdvanceNtfsFolderEntry {
    char16_t* name;
    uint32_t sector;  // of the FILE record
    uint32_t parentRecord;
    uint32_t recordNumber;  // 0 until numbered
    uint16_t volumeNumber;  // 0, the 1-based volume, or kNoVolume
    uint64_t creationTime;
    uint64_t secondTime;
    uint32_t firstIndexCluster;
    uint32_t deleted;
    AdvanceNtfsFolderEntry* next;
};

struct AdvanceNtfsFileEntry {
    char16_t* name;
    uint32_t sector;  // of the FILE record: the file's ID and its volume
    uint32_t parentRecord;
    uint32_t recordNumber;
    uint64_t creationTime;
    uint64_t secondTime;
    uint64_t size;
    uint16_t spare;
    uint32_t deleted;
    AdvanceNtfsFileEntry* next;
};

extern EntryList<BootSectorCandidate> BootSectorCandidateList;
extern EntryList<DirClusterCandidate> DirClusterCandidateList;
extern EntryList<IndexRecord> IndexRecordList;
extern EntryList<FoundVolume> FoundVolumeList;
extern EntryList<AdvanceNtfsFolderEntry> AdvanceNtfsFolderList;
extern EntryList<AdvanceNtfsFileEntry> AdvanceNtfsFileList;

extern uint32_t BootCandidateCount;
// [0] folders (FAT: directory candidates), [1] files.
extern uint32_t AdvanceFoundCounts[2];
extern uint32_t IndexRecordCount;
extern uint32_t AnalysedCount;
extern uint16_t FoundVolumeCount;

void AddBootSectorCandidate(uint32_t sector);
void AddDirClusterCandidate(uint32_t sector, uint32_t ownCluster, uint32_t parentCluster,
                            uint16_t writeDate, uint16_t accessDate);
void AddIndexRecordNode(uint32_t sector, uint32_t folderRecord, uint32_t vcn,
                        uint8_t sectorCount);
void AddFoundVolume(uint16_t type, const FoundVolumeValues& values, TreeItem treeItem);
void AddAdvanceNtfsFolder(const char16_t* name, uint32_t sector, uint32_t parentRecord,
                          uint32_t recordNumber, uint64_t creationTime, uint64_t secondTime,
                          uint32_t firstIndexCluster, uint32_t deleted);
void AddAdvanceNtfsFile(const char16_t* name, uint32_t sector, uint32_t parentRecord,
                        uint64_t creationTime, uint64_t secondTime, uint64_t size,
                        uint32_t deleted);

void FreeAdvanceScanLists();

// The n-th found volume (1-based), or null.
FoundVolume* FoundVolumeAt(uint32_t index);
// Picking a found volume: its type becomes the scanned type, its values the
// geometry of PartitionParameters and its position the chosen volume index.
// Returns the index, or 0 when there is no such volume (then nothing changes).
uint32_t PickFoundVolume(uint32_t index);
// The same for a click on a volume's item in the file-system tree; the
// "File System" item and unknown items pick nothing.
uint32_t PickFoundVolumeByItem(TreeItem item);

// 1 when an Advance NTFS file's FILE record lies inside the picked volume:
// after its first sector and not after its end.
int LiesInPickedVolume(uint32_t recordSector);
