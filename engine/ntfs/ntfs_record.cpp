#include "ntfs/ntfs_record.h"

#include <cstring>
#include <new>

#include "engine_ui.h"
#include "device/sector_access.h"

uint32_t AttributeListRecords[kMaxAttributeListRecords] = {};
uint16_t AttributeListCount = 0;
std::vector<DataRun> DataRunList;
uint32_t DataRunCount = 0;

namespace {

constexpr size_t kFileNameHeader = 66;  // bytes before the name in a $FILE_NAME value
constexpr size_t kMaxNameLength = 255;
// Runs are kept as 32-bit clusters: a start beyond lies outside the volume.
constexpr int64_t kLastCluster = 0xFFFFFFFF;

// The first unnamed attribute of a type, or none.
bool FindUnnamed(ByteView record, uint32_t type, Attribute& found) {
    bool have = false;
    ForEachAttribute(record, [&](const Attribute& a) {
        if (a.type() != type || a.named()) return true;
        found = a;
        have = true;
        return false;
    });
    return have;
}

uint64_t UnsignedField(ByteView bytes, size_t offset, int width) {
    uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i) value = value << 8 | bytes.u8(offset + size_t(i));
    return value;
}

}  // namespace

ByteView Attribute::ResidentValue() const {
    if (nonResident()) return ByteView();
    uint32_t length = bytes.u32(16);
    uint16_t offset = bytes.u16(20);
    if (!bytes.Has(24, 0) || !bytes.Has(offset, length)) return ByteView();
    return bytes.Sub(offset, length);
}

int IsFileRecord(const uint8_t* record) { return std::memcmp(record, "FILE", 4) == 0 ? 1 : 0; }

size_t ApplyFixups(uint8_t* record, size_t size) {
    ByteView view(record, size);
    size_t arrayOffset = view.u16(4);
    size_t entries = view.u16(6);
    size_t restored = 0;
    for (size_t i = 0; i + 1 < entries; ++i) {
        size_t target = kSectorSize * i + kSectorSize - 2;
        size_t saved = arrayOffset + 2 + 2 * i;
        if (target + 2 > size) break;
        // The array lives in the first sector, before that sector's own end.
        if (saved + 2 > kSectorSize - 2) break;
        record[target] = record[saved];
        record[target + 1] = record[saved + 1];
        ++restored;
    }
    return restored;
}

int ReadMftRecord(uint32_t sector, uint8_t* record) {
    ReadSectors(SelectedDriveIndex, sector, 0, kMftRecordSectors, record);
    ApplyFixups(record, kMftRecordSize);
    return IsFileRecord(record);
}

int FindFileNameAttr(uint32_t sector, FileNameValue& out, int nameSpace, uint8_t* record,
                     int readFlag) {
    if (readFlag && !ReadMftRecord(sector, record)) return 0;
    ByteView view(record, kMftRecordSize);
    int found = 0;
    ForEachAttribute(view, [&](const Attribute& a) {
        if (a.type() != kAttrFileName || a.named()) return true;
        ByteView value = a.ResidentValue();
        if (!value.Has(0, kFileNameHeader)) return true;
        if (value.u8(65) != nameSpace) return true;
        size_t length = value.u8(64);
        if (length > kMaxNameLength || !value.Has(kFileNameHeader, 2 * length)) return true;
        out.name.clear();
        for (size_t i = 0; i < length; ++i)
            out.name.push_back(char16_t(value.u16(kFileNameHeader + 2 * i)));
        out.parentRecord = value.u32(0);
        out.creationTime = value.u64(8);
        out.secondTime = value.u64(24);
        found = 1;
        return false;
    });
    return found;
}

int FindPreferredFileName(const uint8_t* record, FileNameValue& out) {
    static const int kOrder[] = {kWin32Names, kWin32AndDosNames, kDosNames, kPosixNames};
    for (int nameSpace : kOrder)
        if (FindFileNameAttr(0, out, nameSpace, const_cast<uint8_t*>(record), 0)) return 1;
    return 0;
}

void CollectAttributeList(const uint8_t* record) {
    ByteView view(record, kMftRecordSize);
    ForEachAttribute(view, [&](const Attribute& a) {
        if (a.type() != kAttrAttributeList || a.nonResident()) return true;
        ByteView entries = a.ResidentValue();
        size_t position = 0;
        while (entries.Has(position, 20) && AttributeListCount < kMaxAttributeListRecords) {
            uint32_t type = entries.u32(position);
            uint16_t length = entries.u16(position + 4);
            if (type == 0 || type == kAttrEnd || length == 0) break;
            if (!entries.Has(position, length)) break;
            AttributeListRecords[AttributeListCount++] = entries.u32(position + 16);
            position += length;
        }
        return false;
    });
}

int FindDataSize(uint32_t sector, uint64_t& size, uint8_t* record, int readFlag) {
    if (readFlag && !ReadMftRecord(sector, record)) return 0;
    Attribute data{};
    if (!FindUnnamed(ByteView(record, kMftRecordSize), kAttrData, data)) return 0;
    size = data.nonResident() ? data.bytes.u64(48) : data.bytes.u32(16);
    return 1;
}

int LocateDataAttribute(const uint8_t* record, size_t& attributeOffset) {
    Attribute data{};
    if (!FindUnnamed(ByteView(record, kMftRecordSize), kAttrData, data)) return 0;
    attributeOffset = data.offset;
    switch (data.bytes.u8(8)) {
        case 0: return 1;
        case 1: return 2;
        default: return 0;
    }
}

int64_t SignExtendRunOffset(const uint8_t* bytes, int width) {
    if (width < 1 || width > 8) return 0;
    uint64_t value = UnsignedField(ByteView(bytes, size_t(width)), 0, width);
    if (width < 8 && (value >> (8 * width - 1) & 1)) value |= ~uint64_t(0) << (8 * width);
    return int64_t(value);
}

int DecodeRunList(ByteView attribute, size_t runListOffset, std::vector<DataRun>& runs) {
    runs.clear();
    size_t position = runListOffset;
    int64_t runningStart = 0;
    bool first = true;
    while (attribute.Has(position, 1)) {
        uint8_t header = attribute.u8(position);
        if (header == 0) return 1;
        int lengthSize = header & 0x0F, offsetSize = header >> 4;
        if (lengthSize == 0 || lengthSize > 8 || offsetSize > 8) return 0;
        if (!attribute.Has(position + 1, size_t(lengthSize + offsetSize))) return 0;
        uint64_t length = UnsignedField(attribute, position + 1, lengthSize);
        if (length == 0 || length > 0xFFFFFFFFu) return 0;
        if (offsetSize == 0) {
            runs.push_back({0, uint32_t(length), true});
        } else {
            size_t field = position + 1 + size_t(lengthSize);
            int64_t start;
            if (first) {
                uint64_t absolute = UnsignedField(attribute, field, offsetSize);
                if (absolute > uint64_t(kLastCluster)) return 0;
                start = int64_t(absolute);
            } else {
                // Both ends lie in 0..kLastCluster, so no step between them
                // is larger; bounding it first keeps the sum from overflowing.
                int64_t step = SignExtendRunOffset(attribute.data() + field, offsetSize);
                if (step > kLastCluster || step < -kLastCluster) return 0;
                start = runningStart + step;
            }
            if (start < 0 || start > kLastCluster) return 0;
            runs.push_back({uint32_t(start), uint32_t(length), false});
            runningStart = start;
            first = false;
        }
        position += 1 + size_t(lengthSize) + size_t(offsetSize);
    }
    return runs.empty() ? 0 : 1;
}

void AppendDataRun(uint32_t startCluster, uint32_t length, bool sparse) {
    try {
        DataRunList.push_back({startCluster, length, sparse});
    } catch (const std::bad_alloc&) {
        OutOfMemory();
    }
    DataRunCount = uint32_t(DataRunList.size());
}

void FreeDataRunList() {
    DataRunList.clear();
    DataRunCount = 0;
}

int BuildDataRunList(size_t recordSize, const uint8_t* record, size_t attributeOffset) {
    FreeDataRunList();
    ByteView view(record, recordSize);
    uint32_t length = view.u32(attributeOffset + 4);
    if (length < 16 || !view.Has(attributeOffset, length)) return 0;
    ByteView attribute = view.Sub(attributeOffset, length);
    std::vector<DataRun> runs;
    int ok = DecodeRunList(attribute, attribute.u16(32), runs);
    for (const DataRun& run : runs) AppendDataRun(run.startCluster, run.length, run.sparse);
    return ok;
}
