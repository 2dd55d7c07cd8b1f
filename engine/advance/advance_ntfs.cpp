#include "advance/advance_ntfs.h"

#include <cstdlib>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>

#include "advance/advance_lists.h"
#include "volumes/boot_params.h"
#include "byte_view.h"
#include "engine_ui.h"
#include "entry_list.h"
#include "found_lists.h"
#include "scan_control.h"
#include "device/sector_access.h"
#include "text.h"

namespace {

constexpr uint32_t kIndexRecordSectorsDefault = 8;
constexpr uint32_t kSmallIndexRecordCode = 0xF4;  // 2^12 bytes

uint32_t Clip32(uint64_t value) { return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(value); }

uint32_t FolderCount() {
    uint32_t count = 0;
    for (AdvanceNtfsFolderEntry* f = AdvanceNtfsFolderList.head; f; f = f->next) ++count;
    return count;
}

TreeItem fileSystemItem = 0;

void AppendNtfsVolume(uint32_t start, const FoundVolumeValues& values) {
    ++FoundVolumeCount;
    EngineUi& ui = Ui();
    TreeItem item = ui.AddVolumeItem(u"NTFS @" + Decimal(start), fileSystemItem);
    ui.ExpandVolumeItem(fileSystemItem);
    AddFoundVolume(kNtfs, values, item);
}

// The sector of each folder's first index buffer: the first kept buffer
// with VCN 0 that names the folder.
std::unordered_map<uint32_t, uint32_t> FirstBufferSectors() {
    std::unordered_map<uint32_t, uint32_t> sectors;
    for (IndexRecord* r = IndexRecordList.head; r; r = r->next)
        if (r->mark == 0xFFFF && r->vcn == 0) sectors.emplace(r->folderRecord, r->sector);
    return sectors;
}

uint32_t FirstBufferSector(const std::unordered_map<uint32_t, uint32_t>& sectors,
                           uint32_t record) {
    auto found = sectors.find(record);
    return found == sectors.end() ? 0 : found->second;
}

void EstimateRemainingNumbers() {
    Ui().SetStatusText(u"Assigning MFT numbers ( Step 2/2 )...");
    const uint32_t total = FolderCount();
    uint64_t number = 1, previousSector = 0;
    uint32_t position = 0;
    for (AdvanceNtfsFolderEntry* f = AdvanceNtfsFolderList.head; f; f = f->next) {
        Ui().SetProgress(RunningPercent(++position, total));
        if (f->recordNumber == 0) {
            // FILE records are two sectors apart.
            int64_t distance = int64_t(f->sector) - int64_t(previousSector);
            if (previousSector == 0 || distance <= 0 || distance % 2)
                number += 1;
            else
                number += uint64_t(distance / 2);
            f->recordNumber = Clip32(number);
        }
        number = f->recordNumber;
        previousSector = f->sector;
    }
}

void PlaceRemainingFolders() {
    Ui().SetStatusText(u"Searching for unassigned entries...");
    const uint32_t total = FolderCount();
    uint16_t volume = 1;
    uint32_t position = 0;
    for (AdvanceNtfsFolderEntry* f = AdvanceNtfsFolderList.head; f; f = f->next) {
        if (f->volumeNumber == kNoVolume) f->volumeNumber = volume;
        volume = f->volumeNumber;
        Ui().SetProgress(RunningPercent(++position, total));
    }
}

}  // namespace

void FreeNtfsLists() {
    FoldersFound = 0;
    FilesFound = 0;
    FreeEntryList(NtfsFolderList);
    FreeEntryList(NtfsFileList);
}

void AssignMftNumbers() {
    NumberFoldersFromIndexBuffers();
    EstimateRemainingNumbers();
}

void DeleteUnusedIndexEntries() {
    Ui().SetStatusText(u"Deleting unused index entries...");
    Ui().SetProgress(0);
    const uint32_t total = IndexRecordCount;
    uint32_t position = 0;
    IndexRecord** link = &IndexRecordList.head;
    IndexRecordList.tail = nullptr;
    while (IndexRecord* r = *link) {
        Ui().SetProgress(RunningPercent(++position, total));
        if (r->vcn != 0) {
            *link = r->next;
            std::free(r);
            if (IndexRecordCount) --IndexRecordCount;
        } else {
            IndexRecordList.tail = r;
            link = &r->next;
        }
    }
}

int ClaimNtfsFolders(uint32_t start, uint32_t sectorsPerCluster, uint32_t end, int step) {
    EngineUi& ui = Ui();
    const uint32_t total = FolderCount();
    const std::u16string prefix = step == 1 ? u"Analyzing Classification ( Step 1/2 ) - "
                                            : u"Analyzing Classification ( Step 2/2 ) - ";
    int marked = 0;
    uint8_t sector[kSectorSize];
    for (AdvanceNtfsFolderEntry* f = AdvanceNtfsFolderList.head; f && !ScanStopRequested();
         f = f->next) {
        if (f->sector > end) break;  // the list is in sector order
        if (f->sector <= start || f->volumeNumber != kUnplaced || f->firstIndexCluster == 0)
            continue;
        uint64_t bufferSector = uint64_t(start) + uint64_t(sectorsPerCluster) * f->firstIndexCluster;
        if (bufferSector > 0xFFFFFFFFu) continue;
        std::fill(sector, sector + kSectorSize, 0);
        ReadSectors(SelectedDriveIndex, uint32_t(bufferSector), 0, 1, sector);
        if (!ByteView(sector, kSectorSize).Matches(0, "INDX")) continue;
        f->volumeNumber = uint16_t(FoundVolumeCount + 1);
        ++AnalysedCount;
        ui.SetStatusText(prefix + Decimal(AnalysedCount) + u" \\ " + Decimal(total));
        Ui().SetProgress(RunningPercent(AnalysedCount, total));
        marked = 1;
    }
    return marked;
}

void RebuildNtfsVolumes() {
    fileSystemItem = Ui().AddVolumeItem(u"File System", 0);
    for (BootSectorCandidate* c = BootSectorCandidateList.head; c; c = c->next) {
        uint8_t bytes[kSectorSize] = {};
        ReadSectors(SelectedDriveIndex, c->sector, 0, 1, bytes);
        ByteView boot(bytes, sizeof bytes);
        const uint32_t spc = boot.u8(13);
        const uint32_t perIndexRecord = boot.u32(68);
        const uint32_t totalSectors = uint32_t(boot.u64(40));
        if (!IsValidSectorsPerCluster(spc) || perIndexRecord == 0 || totalSectors == 0) continue;
        const uint64_t b = c->sector;
        FoundVolumeValues values = {};
        values.sectorsPerCluster = spc;
        values.cluster0Sector = c->sector;
        values.mftStart = Clip32(b + uint64_t(spc) * boot.u32(48));
        values.mftMirrStart = Clip32(b + uint64_t(spc) * boot.u32(56));
        values.indexRecordSectors = perIndexRecord == kSmallIndexRecordCode
                                        ? kIndexRecordSectorsDefault
                                        : Clip32(uint64_t(perIndexRecord) * spc);
        values.endSector = Clip32(b + totalSectors);
        if (ClaimNtfsFolders(c->sector, spc, values.endSector, 1))
            AppendNtfsVolume(c->sector, values);
    }
    AdvancePassDone[0] = 1;
}

void InferNtfsVolumes() {
    const auto bufferSectors = FirstBufferSectors();
    const uint32_t rangeEnd = PartitionParameters.endSector;
    // A geometry that claimed nothing claims nothing later either (folders
    // only ever get placed), so it is not walked again.
    std::set<std::pair<uint32_t, uint32_t>> claimedNothing;
    for (AdvanceNtfsFolderEntry* f = AdvanceNtfsFolderList.head; f; f = f->next) {
        if (ScanStopRequested()) break;
        if (f->volumeNumber != kUnplaced) continue;
        const uint64_t e = f->firstIndexCluster;
        const uint64_t fs = FirstBufferSector(bufferSectors, f->recordNumber);
        if (e == 0 || fs == 0) {
            f->volumeNumber = kNoVolume;
            continue;
        }
        bool stopped = false;
        for (AdvanceNtfsFolderEntry* g = f->next; g; g = g->next) {
            if (g->volumeNumber != kUnplaced || g->firstIndexCluster == 0) continue;
            const uint64_t b = g->firstIndexCluster;
            const uint64_t gs = FirstBufferSector(bufferSectors, g->recordNumber);
            if (gs == 0 || gs == fs || b == e) continue;
            uint64_t spc = 0;
            if (b < e && fs > gs && (fs - gs) % (e - b) == 0) spc = (fs - gs) / (e - b);
            if (b > e && gs > fs && (gs - fs) % (b - e) == 0) spc = (gs - fs) / (b - e);
            if (IsValidSectorsPerCluster(spc) && spc * e <= fs) {
                const uint32_t start = uint32_t(fs - spc * e);
                const std::pair<uint32_t, uint32_t> geometry{start, uint32_t(spc)};
                if (claimedNothing.count(geometry)) {
                    // tried before
                } else if (ClaimNtfsFolders(start, uint32_t(spc), rangeEnd, 2)) {
                    FoundVolumeValues values = {};
                    values.sectorsPerCluster = uint32_t(spc);
                    values.cluster0Sector = start;
                    values.indexRecordSectors = kIndexRecordSectorsDefault;
                    values.endSector = rangeEnd;
                    AppendNtfsVolume(start, values);
                } else {
                    claimedNothing.insert(geometry);
                }
            }
            if (ScanStopRequested()) {
                stopped = true;
                break;
            }
        }
        if (stopped) break;
    }
    AdvancePassDone[1] = 1;
}

void AnalyseNtfsVolumes() {
    EngineUi& ui = Ui();
    AssignMftNumbers();
    DeleteUnusedIndexEntries();
    AnalysedCount = 0;
    ScanStopFlag = 0;
    RebuildNtfsVolumes();
    ui.SetControl(ScanControl::Stop, true, true);
    InferNtfsVolumes();
    ui.SetControl(ScanControl::Stop, false, false);
    PlaceRemainingFolders();
    ScanStopFlag = 1;
    ScanRunning = 0;
}
