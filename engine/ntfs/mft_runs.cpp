#include "ntfs/mft_runs.h"

#include <new>
#include <unordered_set>

#include "byte_view.h"
#include "engine_ui.h"
#include "ntfs/ntfs_record.h"
#include "device/sector_access.h"

std::vector<uint32_t> MftRunStarts;
std::vector<uint32_t> MftRunLengths;
uint16_t MftRunCount = 0;

namespace {

constexpr size_t kMaxMftExtents = 0xFFFF;
// A non-resident attribute list longer than this is not an attribute list.
constexpr uint64_t kMaxAttributeListBytes = 256 * 1024;

struct Extents {
    std::vector<uint32_t> starts, lengths;

    // Appends the runs as sectors; false when one cannot be expressed.
    bool Append(const std::vector<DataRun>& runs, uint32_t cluster0Sector,
                uint32_t sectorsPerCluster) {
        for (const DataRun& run : runs) {
            if (starts.size() >= kMaxMftExtents) return false;
            uint64_t length = uint64_t(run.length) * sectorsPerCluster;
            uint64_t start = run.sparse ? 0 : cluster0Sector + uint64_t(run.startCluster) * sectorsPerCluster;
            if (length > 0xFFFFFFFFu || start > 0xFFFFFFFFu) return false;
            try {
                starts.push_back(uint32_t(start));
                lengths.push_back(uint32_t(length));
            } catch (const std::bad_alloc&) {
                OutOfMemory();
            }
        }
        return true;
    }

    uint32_t SectorOf(uint32_t recordNumber) const {
        uint32_t sector = 0;
        MftRecordSectorIn(recordNumber, lengths.data(), starts.data(), uint32_t(starts.size()),
                          sector);
        return sector;
    }
};

// The runs of a record's unnamed non-resident $DATA, found through the
// attribute's own run-list offset.
bool DataRunsOf(const uint8_t* record, std::vector<DataRun>& runs) {
    size_t offset = 0;
    if (LocateDataAttribute(record, offset) != 2) return false;
    ByteView view(record, kMftRecordSize);
    ByteView attribute = view.Sub(offset, view.u32(offset + 4));
    return DecodeRunList(attribute, attribute.u16(32), runs) && !runs.empty();
}

// Record 0 of the MFT: it names itself ($MFT) and holds the MFT's runs.
bool UsableRecordZero(uint32_t sector, uint8_t* record) {
    if (sector == 0 || !ReadMftRecord(sector, record)) return false;
    std::vector<DataRun> runs;
    return DataRunsOf(record, runs);
}

void CollectEntries(ByteView entries, uint32_t wantedType, std::vector<uint32_t>& records,
                    std::unordered_set<uint32_t>& seen) {
    size_t position = 0;
    while (entries.Has(position, 20)) {
        uint32_t type = entries.u32(position);
        uint16_t length = entries.u16(position + 4);
        if (type == 0 || type == kAttrEnd || length == 0 || !entries.Has(position, length)) return;
        uint32_t recordNumber = entries.u32(position + 16);
        if (type == wantedType && seen.insert(recordNumber).second) records.push_back(recordNumber);
        position += length;
    }
}

}  // namespace

void MftRecordSectorIn(uint32_t recordNumber, const uint32_t* lengths, const uint32_t* starts,
                       uint32_t count, uint32_t& sector) {
    uint64_t target = uint64_t(recordNumber) * kMftRecordSectors;
    uint64_t before = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (target < before + lengths[i]) {
            if (starts[i] == 0) return;  // sparse
            uint64_t found = starts[i] + (target - before);
            if (found <= 0xFFFFFFFFu) sector = uint32_t(found);
            return;
        }
        before += lengths[i];
    }
}

uint32_t MftRecordToSector(uint32_t recordNumber, uint32_t& sector) {
    sector = 0;
    MftRecordSectorIn(recordNumber, MftRunLengths.data(), MftRunStarts.data(), MftRunCount, sector);
    return sector;
}

void CollectMftExtensionRecords(const uint8_t* record0, std::vector<uint32_t>& records,
                                uint32_t cluster0Sector, uint32_t wantedType,
                                uint32_t sectorsPerCluster) {
    records.clear();
    std::unordered_set<uint32_t> seen;
    ForEachAttribute(ByteView(record0, kMftRecordSize), [&](const Attribute& a) {
        if (a.type() != kAttrAttributeList) return true;
        if (!a.nonResident()) {
            CollectEntries(a.ResidentValue(), wantedType, records, seen);
            return false;
        }
        std::vector<DataRun> runs;
        if (!DecodeRunList(a.bytes, a.bytes.u16(32), runs)) return false;
        uint64_t size = a.bytes.u64(48);
        if (size > kMaxAttributeListBytes) size = kMaxAttributeListBytes;
        std::vector<uint8_t> list;
        std::vector<uint8_t> sector(kSectorSize);
        for (const DataRun& run : runs) {
            for (uint64_t s = 0; s < uint64_t(run.length) * sectorsPerCluster && list.size() < size; ++s) {
                uint64_t number = cluster0Sector + uint64_t(run.startCluster) * sectorsPerCluster + s;
                if (run.sparse || number > 0xFFFFFFFFu) {
                    sector.assign(kSectorSize, 0);
                } else {
                    ReadSectors(SelectedDriveIndex, uint32_t(number), 0, 1, sector.data());
                }
                list.insert(list.end(), sector.begin(), sector.end());
            }
        }
        if (list.size() > size) list.resize(size_t(size));
        CollectEntries(ByteView(list.data(), list.size()), wantedType, records, seen);
        return false;
    });
}

void ReadDataRuns(uint32_t cluster0Sector, int, uint32_t mftStart, uint32_t sectorsPerCluster,
                  uint32_t mftMirrStart) {
    MftRunStarts.clear();
    MftRunLengths.clear();
    MftRunCount = 0;

    uint8_t record0[kMftRecordSize];
    if (!UsableRecordZero(mftStart, record0) && !UsableRecordZero(mftMirrStart, record0)) return;

    std::vector<DataRun> runs;
    DataRunsOf(record0, runs);
    Extents base;
    base.Append(runs, cluster0Sector, sectorsPerCluster);

    std::vector<uint32_t> segments;
    CollectMftExtensionRecords(record0, segments, cluster0Sector, kAttrData, sectorsPerCluster);
    Extents table = base;
    if (!segments.empty()) {
        // The MFT's $DATA lies in several records: their runs, in list order,
        // describe it. A segment's record is found through what is known so
        // far, or through record 0's own runs.
        table = Extents();
        uint8_t record[kMftRecordSize];
        for (uint32_t number : segments) {
            std::vector<DataRun> segment;
            if (number == 0) {
                segment = runs;
            } else {
                uint32_t sector = table.SectorOf(number);
                if (!sector) sector = base.SectorOf(number);
                if (!sector || !ReadMftRecord(sector, record) || !DataRunsOf(record, segment)) break;
            }
            if (!table.Append(segment, cluster0Sector, sectorsPerCluster)) break;
        }
        if (table.starts.empty()) table = base;
    }
    MftRunStarts = std::move(table.starts);
    MftRunLengths = std::move(table.lengths);
    MftRunCount = uint16_t(MftRunStarts.size());
}
