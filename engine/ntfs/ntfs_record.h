// One 1,024-byte NTFS MFT record: update-sequence fixups, the attribute
// walk, $FILE_NAME, $ATTRIBUTE_LIST, the unnamed $DATA and its run list.
// Every read is bounded by the attribute's end and the record's end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "byte_view.h"

constexpr size_t kMftRecordSize = 1024;
constexpr uint32_t kMftRecordSectors = 2;

enum : uint32_t {
    kAttrStandardInformation = 0x10,
    kAttrAttributeList = 0x20,
    kAttrFileName = 0x30,
    kAttrData = 0x80,
    kAttrIndexAllocation = 0xA0,
    kAttrEnd = 0xFFFFFFFF,
};

// $FILE_NAME namespaces.
enum : int { kPosixNames = 0, kWin32Names = 1, kDosNames = 2, kWin32AndDosNames = 3 };

// Record flags: bit 0 in use, bit 1 directory.
constexpr uint16_t kRecordInUse = 1;
constexpr uint16_t kRecordIsDirectory = 2;

// Records named by the attribute list of the record being examined; entry 0
// is the record itself.
constexpr int kMaxAttributeListRecords = 50;
extern uint32_t AttributeListRecords[kMaxAttributeListRecords];
extern uint16_t AttributeListCount;

struct DataRun {
    uint32_t startCluster;  // 0 for a sparse run
    uint32_t length;        // clusters
    bool sparse;
};

// Runs of the file being recovered.
extern std::vector<DataRun> DataRunList;
extern uint32_t DataRunCount;

struct FileNameValue {
    std::u16string name;
    uint32_t parentRecord = 0;
    uint64_t creationTime = 0;
    uint64_t secondTime = 0;
};

// An attribute as the walk meets it: its offset in the record and its bytes
// (exactly its own length, never more).
struct Attribute {
    size_t offset;
    ByteView bytes;
    uint32_t type() const { return bytes.u32(0); }
    bool nonResident() const { return bytes.u8(8) != 0; }
    bool named() const { return bytes.u8(9) != 0; }
    // The value of a resident attribute; empty when its fields point outside.
    ByteView ResidentValue() const;
};

// Walks the attributes from the u16 at offset 20. Stops at type 0 or
// 0xFFFFFFFF, at a length of 0, below a header's size or past the record's
// end. visit returns false to stop.
template <typename Visit>
void ForEachAttribute(ByteView record, Visit visit) {
    size_t offset = record.u16(20);
    while (record.Has(offset, 16)) {
        uint32_t type = record.u32(offset);
        if (type == 0 || type == kAttrEnd) return;
        uint32_t length = record.u32(offset + 4);
        if (length < 16 || !record.Has(offset, length)) return;
        if (!visit(Attribute{offset, record.Sub(offset, length)})) return;
        offset += length;
    }
}

// 1 when the bytes begin with "FILE".
int IsFileRecord(const uint8_t* record);

// Restores the last two bytes of each 512-byte sector from the
// update-sequence array. Returns the number of sectors restored.
size_t ApplyFixups(uint8_t* record, size_t size);

// Reads the record at sector into record (kMftRecordSize bytes) and applies
// the fixups; 1 when it begins with "FILE".
int ReadMftRecord(uint32_t sector, uint8_t* record);

// The name, parent and times of the first unnamed $FILE_NAME of the wanted
// namespace. With readFlag 0 the record bytes given are used; otherwise the
// record at sector is read into them first. 1 found, 0 not.
int FindFileNameAttr(uint32_t sector, FileNameValue& out, int nameSpace, uint8_t* record,
                     int readFlag);

// The first unnamed $FILE_NAME by namespace preference: Win32, Win32 and
// DOS, DOS, then POSIX (Windows never writes POSIX names, but other systems
// write nothing else). 1 found, 0 not.
int FindPreferredFileName(const uint8_t* record, FileNameValue& out);

// Appends to AttributeListRecords the record number of every entry of the
// first resident $ATTRIBUTE_LIST, as long as places are free.
void CollectAttributeList(const uint8_t* record);

// Size of the unnamed $DATA. 1 when the record holds one, else 0.
int FindDataSize(uint32_t sector, uint64_t& size, uint8_t* record, int readFlag);

// The unnamed $DATA: 1 resident, 2 non-resident, 0 none or another flag.
int LocateDataAttribute(const uint8_t* record, size_t& attributeOffset);

// Decodes the run list of the non-resident attribute at attributeOffset into
// runs. Lengths of 0 or wider than 32 bits, starts outside 0..2^32-1 (the
// volume's clusters, also when an offset steps further than that) and a run
// whose fields pass the attribute's end make it fail (0), keeping the runs
// before. 1 at the 0 header that ends the list, or at the attribute's end
// after at least one run.
int DecodeRunList(ByteView attribute, size_t runListOffset, std::vector<DataRun>& runs);

// Fills DataRunList from the $DATA attribute at attributeOffset.
int BuildDataRunList(size_t recordSize, const uint8_t* record, size_t attributeOffset);
void AppendDataRun(uint32_t startCluster, uint32_t length, bool sparse = false);
void FreeDataRunList();

// A run-offset field as a signed little-endian number of its width (1 to 8).
int64_t SignExtendRunOffset(const uint8_t* bytes, int width);
