#include "advance/advance_fat.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "volumes/boot_params.h"
#include "byte_view.h"
#include "engine_ui.h"
#include "scan_control.h"
#include "device/sector_access.h"
#include "text.h"

namespace {

constexpr uint32_t kMinCluster0Sector = 63;
constexpr int kClusterSizeShifts = 8;  // 1, 2, 4, ... 128 sectors per cluster

// The directory candidates grouped by the volume geometry they fit: for
// every cluster size, the cluster-0 sector their sector and cluster imply.
// A volume claims exactly the members of one group, so comparing candidates
// with each other becomes a lookup.
class DirectoryIndex {
public:
    DirectoryIndex() {
        for (DirClusterCandidate* d = DirClusterCandidateList.head; d; d = d->next) {
            uint32_t position = uint32_t(candidates_.size());
            candidates_.push_back(d);
            for (int shift = 0; shift < kClusterSizeShifts; ++shift) {
                uint64_t offset = uint64_t(d->ownCluster) << shift;
                if (offset < d->sector) groups_.push_back({Key(shift, d->sector - offset), position});
            }
        }
        std::sort(groups_.begin(), groups_.end());
    }

    size_t size() const { return candidates_.size(); }
    DirClusterCandidate* at(uint32_t position) const { return candidates_[position]; }

    // Calls visit(position, candidate) for the group's members from list
    // position `from` on, in list order, until visit returns false.
    template <typename Visit>
    void ForEachInGroup(int shift, uint64_t cluster0Sector, uint32_t from, Visit visit) const {
        const uint64_t key = Key(shift, cluster0Sector);
        auto it = std::lower_bound(groups_.begin(), groups_.end(), std::make_pair(key, from));
        for (; it != groups_.end() && it->first == key; ++it)
            if (!visit(it->second, candidates_[it->second])) return;
    }

private:
    static uint64_t Key(int shift, uint64_t cluster0Sector) {
        return cluster0Sector << 3 | uint64_t(shift);
    }

    std::vector<DirClusterCandidate*> candidates_;
    std::vector<std::pair<uint64_t, uint32_t>> groups_;
};

int ShiftOf(uint32_t sectorsPerCluster) {
    int shift = 0;
    while ((1u << shift) < sectorsPerCluster) ++shift;
    return shift;
}

void Claim(DirClusterCandidate* candidate) {
    candidate->volumeMark = uint16_t(FoundVolumeCount + 1);
    ++AnalysedCount;
    Ui().SetProgress(RunningPercent(AnalysedCount, AdvanceFoundCounts[0]));
}

// The file-system tree's "File System" item, parent of every volume's item.
TreeItem fileSystemItem = 0;

void AppendVolume(uint16_t type, const FoundVolumeValues& values) {
    EngineUi& ui = Ui();
    std::u16string label = (type == kFat32 ? u"FAT32 @" : u"FAT16 @") + Decimal(values.cluster0Sector);
    TreeItem item = ui.AddVolumeItem(label, fileSystemItem);
    ui.ExpandVolumeItem(fileSystemItem);
    AddFoundVolume(type, values, item);
    ++FoundVolumeCount;
}

uint32_t Clip32(uint64_t value) { return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(value); }

// A volume from the boot sector at `bootSector`, when the directories it
// explains confirm it.
void TryBootSector(uint32_t bootSector, const DirectoryIndex& index) {
    uint8_t bytes[kSectorSize] = {};
    ReadSectors(SelectedDriveIndex, bootSector, 0, 1, bytes);
    ByteView boot(bytes, sizeof bytes);
    uint16_t type;
    if (boot.Matches(85, "32"))
        type = kFat32;
    else if (boot.Matches(57, "16"))
        type = kFat16;
    else
        return;
    const uint32_t spc = boot.u8(13);
    if (!IsValidSectorsPerCluster(spc)) return;

    const uint64_t b = bootSector;
    const uint64_t reserved = boot.u16(14);
    const uint64_t fatSectors = type == kFat32 ? boot.u32(36) : boot.u16(22);
    const uint64_t rootDirSectors = type == kFat32 ? 0 : boot.u16(17) / 16;
    // Small FAT16 volumes keep their size in the 16-bit field.
    const uint64_t totalSectors =
        type == kFat16 && boot.u16(19) != 0 ? boot.u16(19) : boot.u32(32);
    const int64_t cluster0 = int64_t(b + reserved + 2 * fatSectors + rootDirSectors) - 2 * int64_t(spc);
    if (cluster0 < int64_t(kMinCluster0Sector) || cluster0 >= 0xFFFFFFFFll) return;
    const uint64_t end = b + totalSectors;

    bool claimed = false;
    index.ForEachInGroup(ShiftOf(spc), uint64_t(cluster0), 0,
                         [&](uint32_t, DirClusterCandidate* d) {
                             if (d->volumeMark != kUnplaced) return true;
                             if (d->sector > end) return false;  // the list is in sector order
                             Claim(d);
                             claimed = true;
                             return true;
                         });
    if (!claimed) return;

    FoundVolumeValues values = {};
    values.sectorsPerFat = Clip32(fatSectors);
    values.sectorsPerCluster = spc;
    values.rootDirSectors = uint32_t(rootDirSectors);
    values.root = type == kFat32 ? boot.u32(44) : Clip32(b + reserved + 2 * fatSectors);
    values.reservedSectors = uint32_t(reserved);
    values.cluster0Sector = uint32_t(cluster0);
    values.fat1Start = Clip32(b + reserved);
    values.fat2Start = Clip32(b + reserved + fatSectors);
    values.endSector = Clip32(end);
    AppendVolume(type, values);
}

int InferAround(uint32_t position, const DirectoryIndex& index) {
    DirClusterCandidate* a = index.at(position);
    const uint64_t sectorA = a->sector, clusterA = a->ownCluster;
    if (clusterA >= sectorA) return 0;

    // The first later unplaced candidate that fits a geometry with this one.
    uint32_t best = UINT32_MAX;
    int bestShift = -1;
    for (int shift = 0; shift < kClusterSizeShifts; ++shift) {
        uint64_t offset = clusterA << shift;
        if (offset >= sectorA) continue;
        index.ForEachInGroup(shift, sectorA - offset, position + 1,
                             [&](uint32_t p, DirClusterCandidate* d) {
                                 if (p >= best) return false;
                                 if (d->volumeMark != kUnplaced || d->ownCluster <= clusterA ||
                                     d->ownCluster >= d->sector)
                                     return true;
                                 best = p;
                                 bestShift = shift;
                                 return false;
                             });
    }
    if (bestShift < 0) return 0;

    const uint32_t spc = 1u << bestShift;
    const uint64_t cluster0 = sectorA - (clusterA << bestShift);
    uint32_t largestCluster = 0;
    index.ForEachInGroup(bestShift, cluster0, 0, [&](uint32_t, DirClusterCandidate* d) {
        if (d->volumeMark != kUnplaced) return true;
        Claim(d);
        if (d->ownCluster > largestCluster) largestCluster = d->ownCluster;
        return true;
    });

    const uint16_t type =
        PartitionParameters.chosenType == kFat32 || largestCluster > 0xFFFF ? kFat32 : kFat16;
    FoundVolumeValues values = {};
    values.sectorsPerCluster = spc;
    values.root = type == kFat32 ? 2 : 0;
    values.cluster0Sector = uint32_t(cluster0);
    AppendVolume(type, values);
    return 1;
}

void InferAll(const DirectoryIndex& index) {
    for (uint32_t position = 0; position < index.size(); ++position) {
        DirClusterCandidate* candidate = index.at(position);
        if (candidate->volumeMark != kUnplaced) continue;
        if (!InferAround(position, index)) {
            candidate->volumeMark = kNoVolume;
            ++AnalysedCount;
        }
    }
    AdvancePassDone[1] = 1;
}

}  // namespace

void RebuildFatVolumes() {
    EngineUi& ui = Ui();
    ui.SetStatusText(u"Analyzing the data found...");
    AnalysedCount = 0;
    fileSystemItem = ui.AddVolumeItem(u"File System", 0);

    const DirectoryIndex index;
    uint32_t taken = 0;
    for (BootSectorCandidate* c = BootSectorCandidateList.head; c && taken < BootCandidateCount;
         c = c->next, ++taken)
        TryBootSector(c->sector, index);

    InferAll(index);
    AdvancePassDone[0] = 1;
}

void InferFatVolumes() { InferAll(DirectoryIndex()); }

int InferFatGeometry(DirClusterCandidate* candidate) {
    const DirectoryIndex index;
    for (uint32_t position = 0; position < index.size(); ++position)
        if (index.at(position) == candidate) return InferAround(position, index);
    return 0;
}
