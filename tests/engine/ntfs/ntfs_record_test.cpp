// The MFT record parsers over synthesized records: fixups, names, data size,
// run lists and attribute lists, and records that lie.
#include <gtest/gtest.h>

#include <random>

#include "ntfs/ntfs_record.h"
#include "ntfs_record_builder.h"

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<uint8_t> bytes;
    for (int v : values) bytes.push_back(uint8_t(v));
    return bytes;
}

TEST(NtfsRecord, FixupsRestoreBothSectorEnds) {
    RecordBuilder builder;
    std::vector<uint8_t>& bytes = builder.bytes();
    bytes[510] = 0xAB;
    bytes[511] = 0xCD;
    bytes[1022] = 0xEF;
    bytes[1023] = 0x12;
    std::vector<uint8_t> disk = builder.OnDisk();
    EXPECT_EQ(disk[510], 0x01);
    EXPECT_EQ(ApplyFixups(disk.data(), disk.size()), 2u);
    EXPECT_EQ(disk[510], 0xAB);
    EXPECT_EQ(disk[511], 0xCD);
    EXPECT_EQ(disk[1022], 0xEF);
    EXPECT_EQ(disk[1023], 0x12);
}

TEST(NtfsRecord, FixupsStayInsideTheRecordAndTheFirstSector) {
    struct Case {
        uint16_t arrayOffset, entries;
        size_t size;
        size_t restored;
    };
    for (Case c : {Case{48, 3, 1024, 2}, Case{48, 3, 600, 1}, Case{48, 0xFFFF, 1024, 2},
                   Case{0xFFFF, 3, 1024, 0}, Case{506, 3, 1024, 1}, Case{48, 0, 1024, 0},
                   Case{48, 1, 1024, 0}}) {
        RecordBuilder builder;
        builder.Put16(4, c.arrayOffset);
        builder.Put16(6, c.entries);
        std::vector<uint8_t> bytes = builder.Finished();
        EXPECT_EQ(ApplyFixups(bytes.data(), c.size), c.restored)
            << c.arrayOffset << " " << c.entries << " " << c.size;
    }
}

TEST(NtfsRecord, NamesAreTakenByNamespace) {
    RecordBuilder both;
    both.Resident(kAttrFileName, RecordBuilder::FileName(u"LONGFI~1.TXT", 5, kDosNames));
    both.Resident(kAttrFileName, RecordBuilder::FileName(u"Long file name.txt", 7, kWin32Names, 11, 22));
    std::vector<uint8_t> record = both.Finished();
    FileNameValue name;
    ASSERT_EQ(FindFileNameAttr(0, name, kWin32Names, record.data(), 0), 1);
    EXPECT_EQ(name.name, u"Long file name.txt");
    EXPECT_EQ(name.parentRecord, 7u);
    EXPECT_EQ(name.creationTime, 11u);
    EXPECT_EQ(name.secondTime, 22u);
    ASSERT_EQ(FindFileNameAttr(0, name, kDosNames, record.data(), 0), 1);
    EXPECT_EQ(name.name, u"LONGFI~1.TXT");
    EXPECT_EQ(FindFileNameAttr(0, name, kWin32AndDosNames, record.data(), 0), 0);

    // A named $FILE_NAME is not a file's name.
    RecordBuilder named;
    named.Resident(kAttrFileName, RecordBuilder::FileName(u"hidden", 5, kWin32Names), u"x");
    record = named.Finished();
    EXPECT_EQ(FindFileNameAttr(0, name, kWin32Names, record.data(), 0), 0);
}

TEST(NtfsRecord, UnnamedDataIsFoundPastANamedStream) {
    RecordBuilder builder;
    builder.Resident(kAttrData, std::vector<uint8_t>(40, 'z'), u"Zone.Identifier");
    size_t unnamed = builder.NonResident(kAttrData, Bytes({0x11, 0x04, 0x20}), 5000000000ull);
    std::vector<uint8_t> record = builder.Finished();
    uint64_t size = 0;
    ASSERT_EQ(FindDataSize(0, size, record.data(), 0), 1);
    EXPECT_EQ(size, 5000000000ull);
    size_t offset = 0;
    EXPECT_EQ(LocateDataAttribute(record.data(), offset), 2);
    EXPECT_EQ(offset, unnamed);

    RecordBuilder resident;
    resident.Resident(kAttrData, std::vector<uint8_t>(700, 'r'));
    record = resident.Finished();
    ASSERT_EQ(FindDataSize(0, size, record.data(), 0), 1);
    EXPECT_EQ(size, 700u);
    EXPECT_EQ(LocateDataAttribute(record.data(), offset), 1);

    RecordBuilder none;
    none.Resident(kAttrFileName, RecordBuilder::FileName(u"a", 5, kWin32Names));
    record = none.Finished();
    EXPECT_EQ(FindDataSize(0, size, record.data(), 0), 0);
    EXPECT_EQ(LocateDataAttribute(record.data(), offset), 0);
}

struct RunCase {
    const char* label;
    std::vector<uint8_t> list;
    int result;
    std::vector<DataRun> runs;
};

class RunList : public testing::TestWithParam<RunCase> {};

TEST_P(RunList, Decodes) {
    const RunCase& c = GetParam();
    RecordBuilder builder;
    size_t at = builder.NonResident(kAttrData, c.list, 4096);
    std::vector<uint8_t> record = builder.Finished();
    EXPECT_EQ(BuildDataRunList(kMftRecordSize, record.data(), at), c.result);
    ASSERT_EQ(DataRunList.size(), c.runs.size());
    EXPECT_EQ(DataRunCount, c.runs.size());
    for (size_t i = 0; i < c.runs.size(); ++i) {
        EXPECT_EQ(DataRunList[i].startCluster, c.runs[i].startCluster) << i;
        EXPECT_EQ(DataRunList[i].length, c.runs[i].length) << i;
        EXPECT_EQ(DataRunList[i].sparse, c.runs[i].sparse) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunList,
    testing::Values(
        RunCase{"BackwardOffset", Bytes({0x21, 0x10, 0x00, 0x01, 0x11, 0x08, 0xF8, 0}), 1,
                {{256, 16, false}, {248, 8, false}}},
        RunCase{"SparseKeepsTheRunningStart",
                Bytes({0x21, 0x10, 0x00, 0x01, 0x01, 0x04, 0x11, 0x08, 0x10, 0}), 1,
                {{256, 16, false}, {0, 4, true}, {272, 8, false}}},
        RunCase{"ThreeByteNegative", Bytes({0x31, 0x02, 0x00, 0x00, 0x10, 0x31, 0x01, 0x00, 0x00, 0xF0, 0}), 1,
                {{0x100000, 2, false}, {0, 1, false}}},
        RunCase{"EmptyList", Bytes({0}), 1, {}},
        RunCase{"StartBeforeTheVolume", Bytes({0x11, 0x04, 0x10, 0x11, 0x04, 0xE0, 0}), 0,
                {{16, 4, false}}},
        RunCase{"LengthZero", Bytes({0x11, 0x00, 0x10, 0}), 0, {}},
        RunCase{"LengthPast32Bits", Bytes({0x15, 0, 0, 0, 0, 1, 0x10, 0}), 0, {}},
        RunCase{"StartPast32Bits", Bytes({0x51, 0x01, 0, 0, 0, 0, 1, 0}), 0, {}},
        RunCase{"FieldWiderThanEight", Bytes({0x19, 1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 0}), 0, {}},
        // Offsets of eight bytes: a step that would overflow the running start,
        // or leave the volume either way, ends the list; one that stays inside
        // is decoded whatever its width.
        RunCase{"OffsetOverflowsTheRunningStart",
                Bytes({0x41, 0x01, 0xFF, 0xFF, 0xFF, 0xFF,
                       0x81, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0}), 0,
                {{0xFFFFFFFF, 1, false}}},
        RunCase{"OffsetPastTheVolumeEnd",
                Bytes({0x11, 0x01, 0x10, 0x81, 0x01, 0, 0, 0, 0, 1, 0, 0, 0, 0}), 0, {{16, 1, false}}},
        RunCase{"MostNegativeOffset",
                Bytes({0x11, 0x01, 0x10, 0x81, 0x01, 0, 0, 0, 0, 0, 0, 0, 0x80, 0}), 0, {{16, 1, false}}},
        RunCase{"WideBackwardOffset",
                Bytes({0x11, 0x01, 0x10, 0x81, 0x01, 0xF8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0}), 1,
                {{16, 1, false}, {8, 1, false}}},
        RunCase{"StepToTheLastCluster",
                Bytes({0x11, 0x01, 0x01, 0x51, 0x01, 0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0}), 1,
                {{1, 1, false}, {0xFFFFFFFF, 1, false}}}),
    [](const testing::TestParamInfo<RunCase>& info) { return std::string(info.param.label); });

TEST(NtfsRecord, RunListThatOverrunsItsAttributeFails) {
    RecordBuilder builder;
    size_t at = builder.NonResident(kAttrData, Bytes({0x11, 0x04, 0x10}), 4096);
    std::vector<uint8_t> record = builder.Finished();
    // The next header claims eight length and eight offset bytes; the
    // attribute ends long before.
    uint32_t length = 0;
    std::memcpy(&length, &record[at + 4], 4);
    record[at + 64 + 3] = 0x88;
    std::memset(&record[at + length], 0x11, kMftRecordSize - at - length);
    EXPECT_EQ(BuildDataRunList(kMftRecordSize, record.data(), at), 0);
    // A run-list offset pointing outside the attribute reads nothing.
    record = builder.Finished();
    record[at + 32] = 0xF0;
    record[at + 33] = 0x03;
    EXPECT_EQ(BuildDataRunList(kMftRecordSize, record.data(), at), 0);
    EXPECT_TRUE(DataRunList.empty());
}

TEST(NtfsRecord, SignExtensionByWidth) {
    const uint8_t bytes[] = {0xF8, 0xFF, 0x7F, 0x80, 0, 0, 0, 0};
    EXPECT_EQ(SignExtendRunOffset(bytes, 1), -8);
    EXPECT_EQ(SignExtendRunOffset(bytes, 2), -8);
    EXPECT_EQ(SignExtendRunOffset(bytes, 3), 0x7FFFF8);
    EXPECT_EQ(SignExtendRunOffset(bytes, 4), int64_t(int32_t(0x807FFFF8u)));
    EXPECT_EQ(SignExtendRunOffset(bytes + 2, 2), int16_t(0x807F));
}

TEST(NtfsRecord, AttributeListAppendsEveryEntryUpToTheTable) {
    RecordBuilder builder;
    builder.Resident(kAttrAttributeList,
                     RecordBuilder::AttributeList({{0x10, 0}, {0x30, 0}, {0x80, 15}}));
    std::vector<uint8_t> record = builder.Finished();
    AttributeListRecords[0] = 42;
    AttributeListCount = 1;
    CollectAttributeList(record.data());
    ASSERT_EQ(AttributeListCount, 4);
    EXPECT_EQ(AttributeListRecords[1], 0u);
    EXPECT_EQ(AttributeListRecords[2], 0u);
    EXPECT_EQ(AttributeListRecords[3], 15u);

    // Entries beyond the 50 places are dropped, never written past the table.
    RecordBuilder many;
    std::vector<std::pair<uint32_t, uint32_t>> entries;
    for (uint32_t i = 0; i < 20; ++i) entries.push_back({0x80, 100 + i});
    many.Resident(kAttrAttributeList, RecordBuilder::AttributeList(entries));
    record = many.Finished();
    AttributeListCount = 45;
    CollectAttributeList(record.data());
    EXPECT_EQ(AttributeListCount, kMaxAttributeListRecords);
    EXPECT_EQ(AttributeListRecords[49], 104u);
}

// Every parser over a record; none may read outside it or loop.
void ParseEverything(std::vector<uint8_t> record) {
    FileNameValue name;
    for (int ns = 0; ns < 4; ++ns) FindFileNameAttr(0, name, ns, record.data(), 0);
    AttributeListCount = 1;
    CollectAttributeList(record.data());
    EXPECT_LE(AttributeListCount, kMaxAttributeListRecords);
    uint64_t size = 0;
    FindDataSize(0, size, record.data(), 0);
    size_t offset = 0;
    if (LocateDataAttribute(record.data(), offset)) BuildDataRunList(kMftRecordSize, record.data(), offset);
    ApplyFixups(record.data(), record.size());
}

RecordBuilder FullRecord() {
    RecordBuilder b;
    b.Resident(kAttrAttributeList, RecordBuilder::AttributeList({{0x30, 0}, {0x80, 9}}));
    b.Resident(kAttrFileName, RecordBuilder::FileName(u"name.txt", 5, kWin32Names));
    b.NonResident(kAttrData, Bytes({0x21, 0x10, 0x00, 0x01, 0x11, 0x08, 0xF8}), 100000);
    return b;
}

struct Corruption {
    const char* label;
    void (*apply)(std::vector<uint8_t>&);
};

class CorruptRecord : public testing::TestWithParam<Corruption> {};

TEST_P(CorruptRecord, ParsesWithoutReadingOutside) {
    std::vector<uint8_t> record = FullRecord().OnDisk();
    GetParam().apply(record);
    ParseEverything(record);
}

void Set16(std::vector<uint8_t>& r, size_t at, uint16_t v) { std::memcpy(&r[at], &v, 2); }
void Set32(std::vector<uint8_t>& r, size_t at, uint32_t v) { std::memcpy(&r[at], &v, 4); }

INSTANTIATE_TEST_SUITE_P(
    Cases, CorruptRecord,
    testing::Values(
        Corruption{"FixupArrayOutside", [](std::vector<uint8_t>& r) { Set16(r, 4, 0xFFF0); Set16(r, 6, 0xFFFF); }},
        Corruption{"FirstAttributeAtEnd", [](std::vector<uint8_t>& r) { Set16(r, 20, 1022); }},
        Corruption{"FirstAttributeOutside", [](std::vector<uint8_t>& r) { Set16(r, 20, 0xFFFF); }},
        Corruption{"AttributeLengthPastEnd", [](std::vector<uint8_t>& r) { Set32(r, 60, 0x7FFFFFF0); }},
        Corruption{"AttributeLengthZero", [](std::vector<uint8_t>& r) { Set32(r, 60, 0); }},
        Corruption{"AttributeLengthTiny", [](std::vector<uint8_t>& r) { Set32(r, 60, 4); }},
        Corruption{"ValueLengthHuge", [](std::vector<uint8_t>& r) { Set32(r, 56 + 16, 0xFFFFFFFF); }},
        Corruption{"ValueOffsetOutside", [](std::vector<uint8_t>& r) { Set16(r, 56 + 20, 0xFFFF); }},
        Corruption{"ListEntryLengthZero", [](std::vector<uint8_t>& r) { r[56 + 24 + 4] = 0; }},
        Corruption{"ListEntryLengthPastValue", [](std::vector<uint8_t>& r) { Set16(r, 56 + 24 + 4, 0xFFFF); }},
        Corruption{"NameLengthPastValue",
                   [](std::vector<uint8_t>& r) {
                       // The $FILE_NAME follows the 88-byte attribute list.
                       r[56 + 88 + 24 + 64] = 255;
                   }},
        Corruption{"EverythingFF", [](std::vector<uint8_t>& r) { std::fill(r.begin() + 4, r.end(), 0xFF); }},
        Corruption{"EverythingZero", [](std::vector<uint8_t>& r) { std::fill(r.begin() + 4, r.end(), 0); }}),
    [](const testing::TestParamInfo<Corruption>& info) { return std::string(info.param.label); });

TEST(CorruptRecord, RandomDamageNeverReadsOutside) {
    std::mt19937 random(20091);
    const std::vector<uint8_t> clean = FullRecord().OnDisk();
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> record = clean;
        int changes = 1 + int(random() % 8);
        for (int i = 0; i < changes; ++i) record[4 + random() % (kMftRecordSize - 4)] = uint8_t(random());
        ParseEverything(record);
    }
}

}  // namespace
