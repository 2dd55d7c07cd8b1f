#include "volumes/partition_table.h"

#include <unordered_set>

#include "byte_view.h"
#include "engine_ui.h"
#include "scan_control.h"
#include "volumes/boot_params.h"
#include "device/physical_drives.h"
#include "device/sector_access.h"
#include "text.h"

PartitionEntry PartitionTable[kMaxPartitions] = {};
int PartitionCount = 0;
int SearchPartitionsRequested = 0;

namespace {

constexpr size_t kFirstEntry = 446;
constexpr size_t kEntrySize = 16;
constexpr uint64_t kSectorLimit = 0xFFFFFFFFu;

struct Sector {
    uint8_t bytes[kSectorSize] = {};
    bool ok = false;
    ByteView view() const { return ByteView(bytes, sizeof bytes); }
    bool HasSignature() const { return ok && bytes[510] == 0x55 && bytes[511] == 0xAA; }
};

Sector Read(uint64_t number) {
    Sector s;
    s.ok = number <= kSectorLimit &&
           ReadSectors(SelectedDriveIndex, uint32_t(number), 0, 1, s.bytes) == 1;
    return s;
}

struct TableEntry {
    uint8_t type;
    uint32_t firstSector;
    uint32_t sectorCount;
};

TableEntry EntryOf(const Sector& table, int index) {
    ByteView v = table.view();
    size_t at = kFirstEntry + kEntrySize * size_t(index);
    return {v.u8(at + 4), v.u32(at + 8), v.u32(at + 12)};
}

bool IsExtended(uint8_t type) { return type == 5 || type == 15; }

// The file system of a partition by its boot sector, else by its type byte;
// 0 when it is not listed (NTFS, or another system).
uint16_t Classify(uint64_t start, uint8_t type, bool inChain) {
    Sector boot = Read(start);
    ByteView v = boot.view();
    if (boot.ok && v.Matches(82, "FAT32")) return kFat32;
    if (boot.ok && v.Matches(54, "FAT16")) return kFat16;
    if (boot.ok && v.Matches(3, "NTFS")) return 0;
    switch (type) {
        case 1: return inChain ? kFat16 : 0;
        case 4: case 6: case 14: return kFat16;
        case 11: case 12: return kFat32;
        default: return 0;
    }
}

// Appends an entry; false once the table is full.
bool Append(uint64_t start, uint32_t count, uint16_t type) {
    if (PartitionCount >= kMaxPartitions) return false;
    PartitionTable[PartitionCount++] = {uint32_t(start), count, type};
    return PartitionCount < kMaxPartitions;
}

void WalkExtendedChain(uint32_t base, uint32_t extendedSize) {
    std::unordered_set<uint32_t> visited;
    uint32_t link = 0;
    for (int links = 0; links < kMaxExtendedLinks; ++links) {
        // A link must lead somewhere new inside the extended partition.
        if (!visited.insert(link).second) return;
        if (extendedSize && link >= extendedSize) return;
        uint64_t current = uint64_t(base) + link;
        Sector table = Read(current);
        if (!table.HasSignature()) return;
        bool haveNext = false;
        uint32_t next = 0;
        for (int i = 0; i < 2; ++i) {
            TableEntry e = EntryOf(table, i);
            if (e.type == 0) continue;
            if (IsExtended(e.type)) {
                if (!haveNext) next = e.firstSector;
                haveNext = true;
                continue;
            }
            uint64_t start = current + e.firstSector;
            if (start > kSectorLimit) continue;
            uint16_t type = Classify(start, e.type, true);
            if (type && !Append(start, e.sectorCount, type)) return;
        }
        if (!haveNext) return;
        link = next;
    }
}

}  // namespace

void ScanPartitionTable(uint32_t tableSector) {
    SearchPartitionsRequested = 0;
    PartitionCount = 0;
    if (!OpenPhysicalDrive()) return;
    Sector table = Read(tableSector);
    if (!table.HasSignature()) return;

    bool haveExtended = false;
    uint32_t extendedBase = 0, extendedSize = 0;
    for (int i = 0; i < 4; ++i) {
        TableEntry e = EntryOf(table, i);
        if (e.type == 0) continue;
        if (IsExtended(e.type)) {
            haveExtended = true;
            extendedBase = e.firstSector;
            extendedSize = e.sectorCount;
            continue;
        }
        uint16_t type = Classify(e.firstSector, e.type, false);
        if (type && !Append(e.firstSector, e.sectorCount, type)) return;
    }
    if (haveExtended && extendedBase) WalkExtendedChain(extendedBase, extendedSize);
}

DiskGeometry GeometryOfSectors(uint64_t sectors) { return {sectors / (255 * 63), 255, 63}; }

void SearchPartitions(const DiskGeometry& reported) {
    EngineUi& ui = Ui();
    if (PartitionCount > 0) {
        SearchPartitionsRequested = ui.AskPartitionChoice() == 1 ? 1 : 0;
    } else {
        SearchPartitionsRequested = 1;
    }
    const bool searching = SearchPartitionsRequested == 1;
    if (searching) {
        ui.SetDrivePageStatus(u"Please wait, searching for Partition...");
        ui.SetDriveInfoStatus(u"Please wait...");
    }

    DiskGeometry g = reported;
    if (g.sectorsPerTrack != 63) {
        uint64_t sectors = g.cylinders * g.heads * g.sectorsPerTrack;
        g = {sectors / (255 * 63), 255, 63};
    }
    if (PartitionCount == 0) {
        ui.AddDiskItem(u"Hard Disk ", u"");
        ui.ExpandPartitionTree();
    }
    for (int i = 0; i < PartitionCount; ++i) {
        ui.AddDiskItem(u"Hard Disk ", u"Partition " + Decimal(uint64_t(i) + 1));
        ui.ExpandPartitionTree();
    }

    const uint64_t cylinderSectors = uint64_t(g.heads) * g.sectorsPerTrack;
    for (uint64_t c = 0; c < g.cylinders; ++c) {
        // Every cylinder is a pause point, so that Stop can ask at once.
        if (ScanStopRequested()) break;
        ui.SetDrivePageProgress(RunningPercent(c, g.cylinders));
        if (!searching) continue;
        uint64_t first = c * cylinderSectors;
        if (first > kSectorLimit) break;
        uint64_t at = first + g.sectorsPerTrack;
        Sector boot = Read(at);
        if (!boot.HasSignature()) boot = Read(at = first);
        if (!boot.HasSignature() || !boot.view().Matches(85, "32") || at > kSectorLimit) continue;
        bool known = false;
        for (int i = 0; i < PartitionCount; ++i) known |= PartitionTable[i].startSector == at;
        if (known) continue;
        // The partition table may have filled the list already.
        if (PartitionCount >= kMaxPartitions) break;
        PartitionTable[PartitionCount++] = {uint32_t(at), boot.view().u32(32), kFat32};
        ui.AddDiskItem(u"Hard Disk ", u"Partition " + Decimal(uint64_t(PartitionCount)));
        if (PartitionCount >= kMaxPartitions) break;
    }
    ui.ExpandPartitionTree();
}

void SearchPartitions() {
    DiskGeometry g{0, 255, 63};
    if (SelectedDriveIndex < kMaxPhysicalDrives) {
        const PhysicalDriveEntry& drive = PhysicalDriveTable[SelectedDriveIndex];
        g = {uint64_t(uint32_t(drive.cylinders)), uint32_t(drive.tracksPerCylinder),
             uint32_t(drive.sectorsPerTrack)};
    }
    SearchPartitions(g);
}
