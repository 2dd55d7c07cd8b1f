#include "fat/fat_chain.h"

#include <new>
#include <unordered_set>

#include "byte_view.h"
#include "engine_ui.h"
#include "file_recovery.h"
#include "volumes/boot_params.h"
#include "device/sector_access.h"

std::vector<uint32_t> ClusterChain;

namespace {

bool IsFat32() { return PartitionParameters.scannedType == kFat32; }

// What the entry of a cluster says comes next; 0 ends the walk.
uint32_t NextCluster(uint32_t value, uint32_t lastCluster) {
    if (IsFat32()) {
        value &= 0x0FFFFFFF;
        if (value >= 0x0FFFFFF7) return 0;  // bad cluster or end of chain
    } else {
        if (value >= 0xFFF7) return 0;
    }
    if (value < 2 || value > lastCluster) return 0;
    return value;
}

// The cycle check notices a loop only after going round it once or twice:
// keep the chain up to its first repeated cluster.
void DropRepeats() {
    std::unordered_set<uint32_t> seen;
    for (size_t i = 0; i < ClusterChain.size(); ++i) {
        if (!seen.insert(ClusterChain[i]).second) {
            ClusterChain.resize(i);
            return;
        }
    }
}

struct ChainWalk {
    uint32_t fatStart;
    bool checkStopFlags;
    uint32_t limit;  // the walk ends once the chain holds this many clusters
};

void Walk(uint32_t firstCluster, const ChainWalk& walk) {
    ClusterChain.clear();
    AppendCluster(firstCluster);
    const uint32_t perSector = IsFat32() ? 128 : 256;
    const uint32_t lastCluster = LastClusterOfVolume();
    uint8_t sector[kSectorSize];
    uint32_t loadedSector = 0;
    bool loaded = false;
    // Brent's cycle check: a damaged FAT that loops ends the walk.
    uint32_t saved = firstCluster, power = 1, steps = 0;
    uint32_t cluster = firstCluster;
    while (!walk.checkStopFlags || (StopAllRecovery != 1 && SkipCurrentFile != 1)) {
        if (walk.fatStart == 0) return;
        uint32_t fatSector = walk.fatStart + cluster / perSector;
        if (!loaded || fatSector != loadedSector) {
            if (!ReadSectors(SelectedDriveIndex, fatSector, 0, 1, sector)) return;
            loaded = true;
            loadedSector = fatSector;
        }
        ByteView view(sector, sizeof sector);
        uint32_t index = cluster % perSector;
        uint32_t raw = IsFat32() ? view.u32(index * 4) : view.u16(index * 2);
        uint32_t next = NextCluster(raw, lastCluster);
        if (next == 0) return;
        if (next == saved) {
            DropRepeats();
            return;
        }
        AppendCluster(next);
        if (ClusterChain.size() >= walk.limit) return;
        if (++steps == power) {
            saved = next;
            power *= 2;
            steps = 0;
        }
        cluster = next;
    }
}

}  // namespace

void AppendCluster(uint32_t cluster) {
    try {
        ClusterChain.push_back(cluster);
    } catch (const std::bad_alloc&) {
        OutOfMemory();
    }
}

uint32_t ComposeCluster(uint8_t byte26, uint8_t byte27, uint8_t byte20, uint8_t byte21) {
    return uint32_t(byte21) << 24 | uint32_t(byte20) << 16 | uint32_t(byte27) << 8 | byte26;
}

uint32_t LastClusterOfVolume() {
    const PartitionParametersRecord& p = PartitionParameters;
    uint64_t last = IsFat32() ? 0x0FFFFFF6 : 0xFFF6;
    if (p.sectorsPerCluster) {
        const uint64_t rangeEnd = ScannedRangeEnd();
        if (rangeEnd > p.cluster0Sector) {
            uint64_t clusters = (rangeEnd - p.cluster0Sector) / p.sectorsPerCluster;
            if (clusters == 0) return 1;
            if (clusters - 1 < last) last = clusters - 1;
        }
    }
    if (p.sectorsPerFat) {
        uint64_t entries = uint64_t(p.sectorsPerFat) * kSectorSize / (IsFat32() ? 4 : 2);
        if (entries && entries - 1 < last) last = entries - 1;
    }
    return uint32_t(last);
}

void BuildClusterChain(uint32_t firstCluster, uint32_t count, int fatCopy) {
    uint32_t fatStart =
        fatCopy == 2 ? PartitionParameters.fat2Start : PartitionParameters.fat1Start;
    uint64_t limit = uint64_t(count) + 1;
    Walk(firstCluster, ChainWalk{fatStart, true, uint32_t(limit > 0xFFFFFFFF ? 0xFFFFFFFF : limit)});
}

void BuildClusterChainLimited(uint32_t firstCluster) {
    // With small clusters 100 of them hold only part of a large folder
    // (1,600 entries at 512 bytes), and the files after it were never listed.
    const uint64_t clusterBytes = uint64_t(PartitionParameters.sectorsPerCluster) * kSectorSize;
    uint64_t limit = clusterBytes ? (kLargestDirectoryBytes + clusterBytes - 1) / clusterBytes : 0;
    if (limit < kDirectoryChainLimit) limit = kDirectoryChainLimit;
    Walk(firstCluster, ChainWalk{PartitionParameters.fat1Start, false, uint32_t(limit)});
}
