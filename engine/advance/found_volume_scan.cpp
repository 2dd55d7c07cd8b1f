#include "advance/found_volume_scan.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "advance/advance_lists.h"
#include "advance/advance_ntfs.h"
#include "byte_view.h"
#include "engine_ui.h"
#include "found_lists.h"
#include "volumes/boot_params.h"
#include "fat/fat_chain.h"
#include "fat/fat_dir.h"
#include "folder_listing.h"
#include "lost_folders.h"
#include "scan_control.h"
#include "device/sector_access.h"
#include "text.h"

namespace {

constexpr uint32_t kMaxSectorsPerDirectoryRead = 8;
constexpr uint32_t kFat16RootSectorLimit = 32;

void Status(const std::u16string& text) { Ui().SetFileSystemStatus(text); }

// Folders by their first cluster: AddFatFolder keeps one per cluster, and no
// folder is added while directories are read, so a directory entry finds the
// folder it names by one lookup.
class FolderIndex {
public:
    FolderIndex() {
        for (FatFolderEntry* f = FatFolderList.head; f; f = f->next) byCluster_.emplace(f->cluster, f);
    }
    FatFolderEntry* Find(uint32_t parentCluster, uint32_t cluster) const {
        auto found = byCluster_.find(cluster);
        if (found == byCluster_.end() || found->second->parentCluster != parentCluster) return nullptr;
        return found->second;
    }

private:
    std::unordered_map<uint32_t, FatFolderEntry*> byCluster_;
};

void Rename(FatFolderEntry* folder, const std::u16string& name, uint32_t deleted) {
    char16_t* copy = CopyName(name.c_str());
    std::free(folder->name);
    folder->name = copy;
    folder->deleted = deleted;
}

void ParseEntries(const FolderIndex& folders, const uint8_t* sectors, uint32_t parentCluster,
                  int& endOfDirectory, uint32_t sectorCount, uint32_t folderDeleted, int firstEntry,
                  const uint8_t* previousSector) {
    // Long names may begin in the sector before this read.
    std::vector<uint8_t> joined;
    size_t base = 0;
    if (previousSector) {
        joined.assign(previousSector, previousSector + kSectorSize);
        base = kSectorSize;
    }
    joined.insert(joined.end(), sectors, sectors + size_t(sectorCount) * kSectorSize);
    ByteView view(joined.data(), joined.size());
    const bool fat32 = PartitionParameters.scannedType == kFat32;

    const size_t entries = size_t(sectorCount) * (kSectorSize / kFatEntrySize);
    for (size_t i = firstEntry < 0 ? 0 : size_t(firstEntry); i < entries; ++i) {
        const size_t offset = base + i * kFatEntrySize;
        ByteView entry = view.Sub(offset, kFatEntrySize);
        if (entry.u8(0) == 0) {
            endOfDirectory = 1;
            return;
        }
        const uint8_t attributes = entry.u8(11);
        if (attributes == kLongNameAttribute) continue;
        uint32_t cluster = entry.u16(26);
        if (fat32) cluster |= uint32_t(entry.u16(20)) << 16;
        if (cluster == 0) continue;
        const uint32_t size = entry.u32(28);

        std::u16string name;
        uint32_t deleted = folderDeleted ? 1 : 0;
        if (!ListedEntryName(view, int(offset), name, deleted)) continue;

        if ((attributes & kDirectoryAttribute) && size == 0) {
            if (FatFolderEntry* folder = folders.Find(parentCluster, cluster))
                Rename(folder, name, deleted);
        } else {
            AddFatFile(name.c_str(), cluster, parentCluster, entry.u16(24), entry.u16(18), size,
                       deleted);
            ++FilesFound;
        }
    }
}

bool BeginsWithDotEntries(const uint8_t* sector) {
    return sector[0] == '.' && sector[1] == ' ' && sector[32] == '.' && sector[33] == '.';
}

// Reads one directory in reads of up to 8 sectors and parses them until the
// end mark; the first read of a subdirectory must hold "." and "..".
class DirectoryReader {
public:
    DirectoryReader(const FolderIndex& folders, uint32_t parentCluster, uint32_t deleted,
                    bool subdirectory)
        : folders_(folders), parent_(parentCluster), deleted_(deleted), subdirectory_(subdirectory) {}

    // false once the directory has ended or cannot be read further.
    bool Read(uint64_t sector, uint32_t count) {
        if (done_ || count == 0 || sector + count > 0x100000000ull) return false;
        buffer_.assign(size_t(count) * kSectorSize, 0);
        ReadSectors(SelectedDriveIndex, uint32_t(sector), 0, count, buffer_.data());
        const bool first = previous_.empty();
        if (first && subdirectory_ && !BeginsWithDotEntries(buffer_.data())) {
            done_ = true;
            return false;
        }
        int end = 0;
        ParseEntries(folders_, buffer_.data(), parent_, end, count, deleted_,
                     first && subdirectory_ ? 2 : 0, first ? nullptr : previous_.data());
        previous_.assign(buffer_.end() - kSectorSize, buffer_.end());
        if (end) done_ = true;
        return !done_;
    }

    // The clusters of ClusterChain, each in reads of B sectors.
    void ReadChain() {
        const PartitionParametersRecord& p = PartitionParameters;
        const uint32_t spc = p.sectorsPerCluster;
        if (spc == 0) return;
        const uint32_t step = spc < kMaxSectorsPerDirectoryRead ? spc : kMaxSectorsPerDirectoryRead;
        const std::vector<uint32_t> chain = ClusterChain;
        for (uint32_t cluster : chain)
            for (uint32_t k = 0; k < spc; k += step)
                if (!Read(uint64_t(p.cluster0Sector) + uint64_t(cluster) * spc + k,
                          spc - k < step ? spc - k : step))
                    return;
    }

private:
    const FolderIndex& folders_;
    uint32_t parent_, deleted_;
    bool subdirectory_;
    bool done_ = false;
    std::vector<uint8_t> buffer_, previous_;
};

void AppendFatPlaceholder(uint32_t cluster, uint32_t parentCluster, const std::u16string& name) {
    AddFatFolder(name.c_str(), cluster, parentCluster, 0, 0, 0, 0);
}

void FinishResultsTree(bool ntfs) {
    EngineUi& ui = Ui();
    TreeItem root = ui.InsertFolderItem(u"Root", 0);
    Status(ntfs ? u"Please wait creating tree" : u"Please wait creating tree ( Step 5/5 )...");
    ScanStopFlag = 0;
    ui.SetControl(ScanControl::FileSystemStop, false, false);
    TreeProgressCount = 0;
    if (ntfs)
        ui.AddNtfsFolders(root, kNtfsRootRecord);
    else
        ui.AddFatFolders(root, 0);
    ui.ExpandItem(root);
    ui.SetReportView();
    CurrentFolderItem = root;
}

}  // namespace

void ParseFatDirCluster(const uint8_t* sectors, uint32_t parentCluster, int& endOfDirectory,
                        uint32_t firstSector, uint32_t sectorCount, uint32_t folderDeleted,
                        int firstEntry, const uint8_t* previousSector) {
    (void)firstSector;
    ParseEntries(FolderIndex(), sectors, parentCluster, endOfDirectory, sectorCount, folderDeleted,
                 firstEntry, previousSector);
}

void ScanOrphanDirectories() {
    Status(u"Searching for orphan entries ( Step 2/5 )...");
    Ui().SetProgress(0);
    AppendFatPlaceholder(kLostDirCluster, 0, u"Lost Dir");
    std::unordered_set<uint32_t> clusters;
    for (FatFolderEntry* f = FatFolderList.head; f; f = f->next) clusters.insert(f->cluster);
    // Placeholders appended here are walked too; their parents always exist,
    // so the walk ends.
    for (FatFolderEntry* f = FatFolderList.head; f; f = f->next) {
        if (f->parentCluster == 0 || clusters.count(f->parentCluster)) continue;
        AppendFatPlaceholder(f->parentCluster, kLostDirCluster, u"Dir" + Decimal(f->parentCluster));
        clusters.insert(f->parentCluster);
    }
}

void FindFatCopies() {
    PartitionParametersRecord& p = PartitionParameters;
    Status(u"Searching for lost FAT fragments ( Step 1/5 )...");
    Ui().SetProgress(0);
    const uint32_t c0 = p.cluster0Sector;
    const uint32_t back = p.scannedType == kFat32 ? 30000 : 550;
    uint32_t start = c0 > back ? c0 - back : 0;
    if (start == 0) start = 63;
    uint32_t found[2] = {0, 0};
    int count = 0;
    uint8_t sector[kSectorSize];
    for (uint32_t s = start; s < c0 && count < 2; ++s) {
        Ui().SetProgress(RunningPercent(s, c0));
        std::memset(sector, 0, sizeof sector);
        ReadSectors(SelectedDriveIndex, s, 0, 1, sector);
        if (sector[0] == 0xF8 && sector[1] == 0xFF && sector[2] == 0xFF) found[count++] = s;
    }
    if (count >= 1) p.fat1Start = found[0];
    if (count == 2) {
        p.fat2Start = found[1];
        p.sectorsPerFat = found[1] - found[0];
        if (p.scannedType == kFat16) p.root = found[1] + p.sectorsPerFat;
    }
}

void ScanDirectoryClusters() {
    PartitionParametersRecord& p = PartitionParameters;
    const FolderIndex folders;
    if (p.scannedType == kFat32) {
        if (p.root == 0) p.root = 2;
        BuildClusterChainLimited(p.root);
        DirectoryReader(folders, 0, 0, false).ReadChain();
    } else if (p.root != 0 && uint64_t(p.root) + kFat16RootSectorLimit <= 0xFFFFFFFFu) {
        DirectoryReader root(folders, 0, 0, false);
        for (uint32_t k = 0; k < kFat16RootSectorLimit; k += kMaxSectorsPerDirectoryRead)
            if (!root.Read(uint64_t(p.root) + k, kMaxSectorsPerDirectoryRead)) break;
    }

    uint32_t done = 0;
    for (FatFolderEntry* f = FatFolderList.head; f && !ScanStopRequested(); f = f->next) {
        BuildClusterChainLimited(f->cluster);
        DirectoryReader(folders, f->cluster, f->deleted, true).ReadChain();
        Ui().SetProgress(RunningPercent(++done, FoldersFound));
    }
}

void ExtractFatEntries() {
    EngineUi& ui = Ui();
    ui.SetProgress(0);
    Status(u"Extracting entries for the selected file system ( Step 1/5 )...");
    FreeStandardScanLists();
    const uint16_t volume = PartitionParameters.foundVolumeIndex;
    for (DirClusterCandidate* d = DirClusterCandidateList.head; d; d = d->next) {
        if (d->volumeMark != volume) continue;
        AddFatFolder((u"Dir" + Decimal(d->ownCluster)).c_str(), d->ownCluster, d->parentCluster,
                     d->writeDate, d->accessDate, 0, 0);
        Ui().SetProgress(RunningPercent(FoldersFound, AdvanceFoundCounts[0]));
    }
    ScanOrphanDirectories();
    BreakParentCircles(
        FatFolderList.head, 0, kLostDirCluster, [](FatFolderEntry* f) { return f->cluster; },
        [](FatFolderEntry* f) -> uint32_t& { return f->parentCluster; });
    if (PartitionParameters.fat1Start == 0) FindFatCopies();
    Status(u"Step 4 / 5...");
    ScanDirectoryClusters();
    FinishResultsTree(false);
    ScanStopFlag = 1;
    ScanRunning = 0;
}

void ScanNtfsEntries() {
    FreeNtfsLists();
    Status(u"Extracting entries for the file system...");
    Ui().SetProgress(0);
    const uint16_t volume = PartitionParameters.foundVolumeIndex;
    uint32_t position = 0;
    for (AdvanceNtfsFolderEntry* f = AdvanceNtfsFolderList.head; f; f = f->next) {
        Ui().SetProgress(RunningPercent(++position, AdvanceFoundCounts[0]));
        if (f->volumeNumber != volume || f->recordNumber == kNtfsRootRecord) continue;
        if (std::u16string(f->name) == u".") continue;
        AddNtfsFolder(f->name, f->recordNumber, f->parentRecord, f->creationTime, f->secondTime, 0,
                      f->deleted);
    }
    ScanNtfsLostData();
    BreakParentCircles(
        NtfsFolderList.head, kNtfsRootRecord, kLostDirRecord,
        [](NtfsFolderEntry* f) { return f->recordNumber; },
        [](NtfsFolderEntry* f) -> uint32_t& { return f->parentRecord; });
    FinishResultsTree(true);
    ScanStopFlag = 1;
    ScanRunning = 0;
}

void ScanNtfsLostData() {
    Status(u"Searching For Lost Data");
    Ui().SetProgress(0);
    AddNtfsFolder(u"Lost Dir", kLostDirRecord, kNtfsRootRecord, 0, 0, 0, 0);
    std::unordered_set<uint32_t> records;
    for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next) records.insert(f->recordNumber);
    uint32_t running = 0, position = 0;
    for (NtfsFolderEntry* f = NtfsFolderList.head; f && !ScanStopRequested(); f = f->next) {
        Ui().SetProgress(RunningPercent(++position, FoldersFound));
        if (f->parentRecord == kNtfsRootRecord || records.count(f->parentRecord)) continue;
        AddNtfsFolder((u"Dir" + Decimal(running++)).c_str(), f->parentRecord, kLostDirRecord, 0, 0, 0,
                      0);
        records.insert(f->parentRecord);
    }
    // Files are listed by their parent: one whose folder was never found
    // gets a placeholder too, or it would be shown nowhere.
    for (AdvanceNtfsFileEntry* f = AdvanceNtfsFileList.head; f && !ScanStopRequested(); f = f->next) {
        if (f->parentRecord == kNtfsRootRecord || !LiesInPickedVolume(f->sector) ||
            records.count(f->parentRecord))
            continue;
        AddNtfsFolder((u"Dir" + Decimal(running++)).c_str(), f->parentRecord, kLostDirRecord, 0, 0, 0,
                      0);
        records.insert(f->parentRecord);
    }
}

int FileSystemScanThread() {
    ScanStopFlag = 0;
    ScanRunning = 1;
    switch (PartitionParameters.scannedType) {
        case kFat16:
        case kFat32:
            ExtractFatEntries();
            ListFatFolder(0);
            break;
        case kNtfs:
            ScanNtfsEntries();
            ListNtfsFolder(kNtfsRootRecord);
            break;
        default:
            ScanStopFlag = 1;
            ScanRunning = 0;
            break;
    }
    return 0;
}

void StartFileSystemScan() {
    StartScanWorker([] { FileSystemScanThread(); });
}
