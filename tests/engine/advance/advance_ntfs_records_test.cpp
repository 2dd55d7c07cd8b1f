// What the NTFS sweep keeps of FILE records and INDX buffers written byte by
// byte: folder numbers from index roots, first index clusters from run
// lists, the accepted buffer sizes, and damaged bytes that must not be read
// past their attribute or buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "advance/advance_lists.h"
#include "advance/advance_ntfs.h"
#include "advance_run.h"
#include "scan_control.h"
#include "volumes/boot_params.h"
#include "memory_device_test.h"
#include "ntfs_record_builder.h"
#include "device/sector_access.h"
#include "text.h"

namespace {

constexpr uint32_t kIndexRoot = 0x90;
constexpr uint32_t kDirectoryFlag = 0x10000000;

// An index entry whose key is a $FILE_NAME value.
std::vector<uint8_t> IndexEntry(uint32_t fileReference, const std::vector<uint8_t>& key) {
    std::vector<uint8_t> entry(16 + key.size(), 0);
    size_t length = (entry.size() + 7) & ~size_t(7);
    entry.resize(length, 0);
    std::memcpy(&entry[0], &fileReference, 4);
    uint16_t length16 = uint16_t(length), keyLength = uint16_t(key.size());
    std::memcpy(&entry[8], &length16, 2);
    std::memcpy(&entry[10], &keyLength, 2);
    std::memcpy(&entry[16], key.data(), key.size());
    return entry;
}

std::vector<uint8_t> FolderKey(const std::u16string& name, uint32_t parent, uint64_t creation) {
    std::vector<uint8_t> key = RecordBuilder::FileName(name, parent, kWin32Names, creation);
    std::memcpy(&key[56], &kDirectoryFlag, 4);
    return key;
}

// The value of an $I30 index root whose first entry names `self` as parent.
std::vector<uint8_t> IndexRootValue(uint32_t self) {
    std::vector<uint8_t> value(32, 0);
    value[0] = 0x30;
    uint32_t entriesOffset = 16;
    std::memcpy(&value[16], &entriesOffset, 4);
    std::vector<uint8_t> entry = IndexEntry(200, FolderKey(u"child", self, 0));
    value.insert(value.end(), entry.begin(), entry.end());
    return value;
}

// An INDX buffer of `sectors` sectors whose header gives `allocated` bytes
// after its first 24, with the entries given.
std::vector<uint8_t> IndexBuffer(uint32_t sectors, uint32_t allocated, uint32_t vcn,
                                 const std::vector<std::vector<uint8_t>>& entries,
                                 uint32_t entriesOffset = 40) {
    std::vector<uint8_t> bytes(size_t(sectors) * 512, 0);
    std::memcpy(bytes.data(), "INDX", 4);
    bytes[4] = 40;  // update-sequence array with no sector to restore
    bytes[6] = 1;
    std::memcpy(&bytes[16], &vcn, 4);
    std::memcpy(&bytes[24], &entriesOffset, 4);
    std::memcpy(&bytes[32], &allocated, 4);
    size_t at = 24 + entriesOffset;
    for (const auto& entry : entries) {
        if (at + entry.size() > bytes.size()) break;
        std::memcpy(&bytes[at], entry.data(), entry.size());
        at += entry.size();
    }
    return bytes;
}

class AdvanceNtfsRecords : public MemoryDeviceTest {
protected:
    RecordingUi ui;

    void SetUp() override {
        OpenMemoryDevice(4000);
        PartitionParameters.chosenType = kNtfs;
        PartitionParameters.sectorCount = 4000;
        PartitionParameters.endSector = 3999;
    }

    // A record as the sweep takes it: 1,024 bytes allocated.
    static RecordBuilder Record(uint16_t flags) {
        RecordBuilder record(flags);
        record.Put32(28, 1024);
        return record;
    }
    void Put(uint32_t sector, const std::vector<uint8_t>& bytes) {
        std::memcpy(device->Sector(sector), bytes.data(), bytes.size());
    }
    // A folder record: its name, an $I30 index root and allocation.
    RecordBuilder Folder(const std::u16string& name, uint32_t self, const std::vector<uint8_t>& runs,
                         uint16_t flags = 3, bool emptyRoot = false) {
        RecordBuilder record = Record(flags);
        record.Resident(kAttrFileName, RecordBuilder::FileName(name, 5, kWin32Names, 1234));
        // An empty root ends before where a first entry's name would be.
        record.Resident(kIndexRoot, emptyRoot ? std::vector<uint8_t>(16, 0) : IndexRootValue(self),
                        u"$I30");
        if (!runs.empty()) record.NonResident(kAttrIndexAllocation, runs, 4096, u"$I30");
        return record;
    }
};

struct FolderCase {
    const char* what;
    std::vector<uint8_t> runs;
    uint32_t recordNumber;  // 0: left to the estimate
    uint32_t firstCluster;
    void (*damage)(RecordBuilder&);
    bool emptyRoot = false;
};

class AdvanceFolderRecords : public AdvanceNtfsRecords, public testing::WithParamInterface<FolderCase> {};

TEST_P(AdvanceFolderRecords, NumberAndFirstIndexClusterComeOnlyFromBytesInsideTheirAttribute) {
    const FolderCase& c = GetParam();
    RecordBuilder record = Folder(u"Music", 77, c.runs, 3, c.emptyRoot);
    if (c.damage) c.damage(record);
    Put(100, record.OnDisk());
    ProcessMftRecord(100);
    ASSERT_NE(AdvanceNtfsFolderList.head, nullptr) << c.what;
    EXPECT_EQ(std::u16string(AdvanceNtfsFolderList.head->name), u"Music");
    EXPECT_EQ(AdvanceNtfsFolderList.head->recordNumber, c.recordNumber) << c.what;
    EXPECT_EQ(AdvanceNtfsFolderList.head->firstIndexCluster, c.firstCluster) << c.what;
    EXPECT_EQ(AdvanceNtfsFolderList.head->creationTime, 1234u);
}

void RunsOutside(RecordBuilder& r) {
    size_t at = 56;
    at += r.bytes()[at + 4] | r.bytes()[at + 5] << 8;
    at += r.bytes()[at + 4] | r.bytes()[at + 5] << 8;
    r.Put16(at + 32, 0x7FF0);
}
void RunsBeforeAttribute(RecordBuilder& r) {
    size_t at = 56;
    at += r.bytes()[at + 4] | r.bytes()[at + 5] << 8;
    at += r.bytes()[at + 4] | r.bytes()[at + 5] << 8;
    r.Put16(at + 32, 0x8000);  // negative
}
void OtherName(RecordBuilder& r) {
    size_t at = 56;
    at += r.bytes()[at + 4] | r.bytes()[at + 5] << 8;
    r.bytes()[at + 24] = 'X';  // "XI30"
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AdvanceFolderRecords,
    testing::Values(
        FolderCase{"whole", {0x11, 0x08, 0x30}, 77, 48, nullptr},
        FolderCase{"four-byte run offset", {0x41, 0x08, 0x78, 0x56, 0x34, 0x12}, 77, 0x12345678, nullptr},
        FolderCase{"five-byte run offset", {0x51, 0x08, 1, 2, 3, 4, 5}, 77, 0, nullptr},
        FolderCase{"no run", {0x00}, 77, 0, nullptr},
        FolderCase{"no allocation", {}, 77, 0, nullptr},
        FolderCase{"index root without entries", {0x11, 0x08, 0x30}, 0, 48, nullptr, true},
        FolderCase{"runs past the attribute", {0x11, 0x08, 0x30}, 77, 0, RunsOutside},
        FolderCase{"runs before the attribute", {0x11, 0x08, 0x30}, 77, 0, RunsBeforeAttribute},
        FolderCase{"index root not named $I30", {0x11, 0x08, 0x30}, 0, 48, OtherName}),
    [](const testing::TestParamInfo<FolderCase>& info) { return std::to_string(info.index); });

TEST_F(AdvanceNtfsRecords, RecordsAreSortedByTheirFlagsAndNames) {
    Put(100, Folder(u".", 40, {0x11, 0x08, 0x30}).OnDisk());
    Put(102, Folder(u"$EXTEND", 40, {}).OnDisk());
    Put(104, Folder(u"Gone", 41, {}, 2).OnDisk());
    RecordBuilder view = Folder(u"View", 42, {}, 0x0D);  // flags other than 0 to 3
    Put(106, view.OnDisk());
    RecordBuilder file = Record(0);
    file.Resident(kAttrFileName, RecordBuilder::FileName(u"posix", 64, kPosixNames, 5, 6));
    file.Resident(kAttrData, std::vector<uint8_t>(300, 'a'));
    Put(108, file.OnDisk());
    RecordBuilder nameless = Record(1);
    Put(110, nameless.OnDisk());
    RecordBuilder big = Record(1);  // the low half of its allocated size is not 1024
    big.Resident(kAttrFileName, RecordBuilder::FileName(u"big", 5, kWin32Names));
    big.Put32(28, 4096);
    Put(112, big.OnDisk());

    RunAdvanceScan(ui);
    std::vector<std::string> folders;
    for (AdvanceNtfsFolderEntry* f = AdvanceNtfsFolderList.head; f; f = f->next)
        folders.push_back(Utf16ToUtf8(f->name) + " " + std::to_string(f->recordNumber) +
                          (f->deleted ? " deleted" : ""));
    EXPECT_EQ(folders, (std::vector<std::string>{". 5", "$EXTEND 11", "Gone 41 deleted"}));
    ASSERT_NE(AdvanceNtfsFileList.head, nullptr);
    const AdvanceNtfsFileEntry& f = *AdvanceNtfsFileList.head;
    EXPECT_EQ(std::u16string(f.name), u"posix");
    EXPECT_EQ(f.sector, 108u);
    EXPECT_EQ(f.parentRecord, 64u);
    EXPECT_EQ(f.size, 300u);
    EXPECT_EQ(f.deleted, 1u);
    EXPECT_EQ(f.creationTime, 5u);
    EXPECT_EQ(f.secondTime, 6u);
    EXPECT_EQ(f.next, nullptr);
    EXPECT_EQ(AdvanceFoundCounts[0], 3u);
    EXPECT_EQ(AdvanceFoundCounts[1], 1u);
}

struct BufferCase {
    const char* what;
    uint32_t sectors;
    uint32_t allocated;      // header field: the buffer is this + 24 bytes
    uint32_t entriesOffset;  // relative to byte 24
    uint32_t folder;         // parent named by the first entry
    bool kept;
};

class AdvanceIndexBuffers : public AdvanceNtfsRecords, public testing::WithParamInterface<BufferCase> {};

TEST_P(AdvanceIndexBuffers, AreKeptOnlyWithASaneSizeAndAFirstEntryInside) {
    const BufferCase& c = GetParam();
    Put(200, IndexBuffer(c.sectors, c.allocated, 3,
                         {IndexEntry(90, FolderKey(u"sub", c.folder, 0))}, c.entriesOffset));
    EXPECT_EQ(AddIndexRecord(200), c.kept ? 1 : 0) << c.what;
    if (!c.kept) {
        EXPECT_EQ(IndexRecordList.head, nullptr);
        return;
    }
    ASSERT_NE(IndexRecordList.head, nullptr);
    EXPECT_EQ(IndexRecordList.head->folderRecord, c.folder);
    EXPECT_EQ(IndexRecordList.head->vcn, 3u);
    EXPECT_EQ(IndexRecordList.head->sectorCount, uint8_t((c.allocated + 24) / 512));
    EXPECT_EQ(IndexRecordCount, 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AdvanceIndexBuffers,
    testing::Values(BufferCase{"4 KiB", 8, 4072, 40, 64, true},
                    BufferCase{"one sector", 1, 488, 40, 64, true},
                    BufferCase{"64 KiB", 128, 65512, 40, 64, true},
                    BufferCase{"past 64 KiB", 128, 65513, 40, 64, false},
                    BufferCase{"size wraps round 32 bits", 8, 0xFFFFFFF0, 40, 64, false},
                    BufferCase{"below a sector", 1, 100, 40, 64, false},
                    BufferCase{"not whole sectors", 8, 4000, 40, 64, false},
                    BufferCase{"first entry past the buffer", 8, 4072, 0xFFFFFFF0, 64, false},
                    BufferCase{"first entry at the buffer's end", 8, 4072, 4072 - 4, 64, false},
                    BufferCase{"names a system record", 8, 4072, 40, 4, false},
                    BufferCase{"names no record", 8, 4072, 40, 0xFFFFFFFF, false}),
    [](const testing::TestParamInfo<BufferCase>& info) { return std::to_string(info.index); });

TEST_F(AdvanceNtfsRecords, IndexEntriesNumberFoldersAndDamagedEntriesEndTheWalk) {
    AddAdvanceNtfsFolder(u"Album", 300, 64, 0, 777, 0, 0, 0);
    AddAdvanceNtfsFolder(u"Album", 302, 64, 0, 777, 0, 0, 0);  // the same name again
    AddAdvanceNtfsFolder(u"Other", 304, 64, 0, 1, 0, 0, 0);
    std::vector<uint8_t> damaged = IndexEntry(95, FolderKey(u"Other", 64, 1));
    damaged[80] = 200;  // a name longer than what is left of its one-sector buffer
    Put(200, IndexBuffer(8, 4072, 0,
                         {IndexEntry(90, FolderKey(u"Album", 64, 777)),
                          IndexEntry(91, FolderKey(u"Album", 64, 777)),
                          IndexEntry(92, RecordBuilder::FileName(u"Other", 64, 1, 1)),  // a file
                          IndexEntry(93, FolderKey(u"album", 64, 777))}));
    Put(220, IndexBuffer(1, 488, 0, {damaged}));
    AddIndexRecordNode(200, 64, 0, 8);
    AddIndexRecordNode(220, 64, 0, 1);
    IndexRecordCount = 2;
    NumberFoldersFromIndexBuffers();
    std::vector<uint32_t> numbers;
    for (AdvanceNtfsFolderEntry* f = AdvanceNtfsFolderList.head; f; f = f->next)
        numbers.push_back(f->recordNumber);
    EXPECT_EQ(numbers, (std::vector<uint32_t>{90, 91, 0}));
}

// Records and buffers with bytes changed at random must never be read past
// their ends nor hang the sweep; what they yield is not checked.
TEST_F(AdvanceNtfsRecords, RandomlyDamagedRecordsAndBuffersAreSweptSafely) {
    std::mt19937 random(20091);
    const std::vector<uint8_t> record = Folder(u"Music", 77, {0x11, 0x08, 0x30}).OnDisk();
    const std::vector<uint8_t> buffer =
        IndexBuffer(8, 4072, 0, {IndexEntry(90, FolderKey(u"Album", 77, 777)),
                                 IndexEntry(91, FolderKey(u"Disc", 77, 778))});
    uint32_t sector = 0;
    for (int i = 0; i < 150; ++i) {
        std::vector<uint8_t> bytes = i % 2 ? buffer : record;
        const int changes = 1 + int(random() % 12);
        for (int k = 0; k < changes; ++k) bytes[4 + random() % (bytes.size() - 4)] = uint8_t(random());
        Put(sector, bytes);
        sector += uint32_t(bytes.size() / 512);
    }
    RunAdvanceScan(ui);
    EXPECT_EQ(AdvancePassDone[0], 1);
    EXPECT_EQ(AdvancePassDone[1], 1);
    EXPECT_EQ(ScanRunning, 0);
}

}  // namespace
