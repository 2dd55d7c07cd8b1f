// The Standard Scan over NTFS images made by mkntfs and written through
// ntfs-3g, whole and damaged, and the MFT run table over synthesized records.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <tuple>

#include "found_lists.h"
#include "scan_control.h"
#include "volumes/boot_params.h"
#include "engine_state.h"
#include "memory_device.h"
#include "ntfs/mft_runs.h"
#include "ntfs/ntfs_record.h"
#include "ntfs_record_builder.h"
#include "device/sector_access.h"
#include "standard_scan.h"
#include "ntfs_image_tree.h"
#include "test_images.h"

namespace {

// Entries the test tree does not name: the volume's own files and the fill.
bool IsBackground(const std::string& path) {
    return path.rfind("/$", 0) == 0 || path.rfind("/Fill/", 0) == 0 ||
           path == "/Documents/fragmented.bin";
}

void ExpectTree(const ScanOutcome& outcome, bool recordZeroNamed = true) {
    std::set<TreeEntry> listed;
    for (const FoundItem& item : outcome.items) {
        std::string path = Narrow(item.path);
        if (IsBackground(path)) continue;
        listed.insert({item.folder, path, item.size, item.deleted});
    }
    EXPECT_EQ(listed, NtfsImageTree());
    bool fragmented = false, system = false;
    for (const FoundItem& item : outcome.items) {
        fragmented |= Narrow(item.path) == "/Documents/fragmented.bin" && !item.deleted && item.size > 100000;
        system |= Narrow(item.path) == "/$MFT";
    }
    EXPECT_TRUE(fragmented);
    EXPECT_EQ(system, recordZeroNamed);
}

class NtfsImage : public testing::TestWithParam<std::string> {};

TEST_P(NtfsImage, ListsEveryLiveAndDeletedEntryWithItsPath) {
    SKIP_WITHOUT_NTFS_IMAGES();
    ScanOutcome outcome = ScanImage(ImagePath(GetParam()));
    ASSERT_TRUE(outcome.ran);
    ExpectTree(outcome);
    // The root is listed: no parent row, its folders first.
    ASSERT_FALSE(outcome.ui->rows.empty());
    EXPECT_NE(outcome.ui->rows[0].columns[0], u"Parent...");
    EXPECT_EQ(ScanStopFlag, 1);
    EXPECT_EQ(ScanRunning, 0);
    EXPECT_GT(MftRunCount, 0);
}

INSTANTIATE_TEST_SUITE_P(ClusterSizes, NtfsImage, testing::Values("ntfs_c4k", "ntfs_c512"));

// Sector of an MFT record on a scanned image.
uint32_t RecordSector(uint32_t recordNumber) {
    uint32_t sector = 0;
    MftRecordToSector(recordNumber, sector);
    EXPECT_NE(sector, 0u);
    return sector;
}

uint32_t RecordOf(const char16_t* name, bool folder) {
    if (folder) {
        for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next)
            if (std::u16string(f->name) == name) return f->recordNumber;
    } else {
        for (NtfsFileEntry* f = NtfsFileList.head; f; f = f->next)
            if (std::u16string(f->name) == name) return f->recordNumber;
    }
    ADD_FAILURE() << Narrow(name);
    return 0;
}

// Rewrites the parent of every $FILE_NAME of a record on the image.
void SetParent(const std::string& image, uint32_t sector, uint32_t parent) {
    std::vector<uint8_t> record = ReadBytes(image, uint64_t(sector) * kSectorSize, kMftRecordSize);
    ASSERT_EQ(record.size(), kMftRecordSize);
    ApplyFixups(record.data(), record.size());
    int patched = 0;
    ForEachAttribute(ByteView(record.data(), record.size()), [&](const Attribute& a) {
        if (a.type() == kAttrFileName) {
            size_t at = a.offset + a.bytes.u16(20);
            EXPECT_NE(at % kSectorSize, kSectorSize - 2);
            WriteBytes(image, uint64_t(sector) * kSectorSize + at, Le32(parent));
            ++patched;
        }
        return true;
    });
    EXPECT_GT(patched, 0);
}

TEST(NtfsLostFolders, MissingParentsGetADirEachUnderLostDir) {
    SKIP_WITHOUT_NTFS_IMAGES();
    std::string image = CopyOfImage("ntfs_c4k");
    ScanImage(image);
    uint32_t reports = RecordSector(RecordOf(u"Reports 2009", true));
    uint32_t small = RecordSector(RecordOf(u"small.txt", false));
    uint32_t medium = RecordSector(RecordOf(u"medium.bin", false));
    SetParent(image, reports, 8888);
    SetParent(image, small, 9999);
    SetParent(image, medium, 9999);

    ScanOutcome outcome = ScanImage(image);
    ASSERT_TRUE(outcome.ran);
    std::set<std::string> paths;
    for (const FoundItem& item : outcome.items) paths.insert(Narrow(item.path));
    for (const char* expected :
         {"/Lost Dir/Dir0", "/Lost Dir/Dir0/Reports 2009", "/Lost Dir/Dir0/Reports 2009/Summary.doc",
          "/Lost Dir/Dir1", "/Lost Dir/Dir1/small.txt", "/Lost Dir/Dir1/medium.bin"})
        EXPECT_TRUE(paths.count(expected)) << expected;
    EXPECT_FALSE(paths.count("/small.txt"));
}

TEST(NtfsLostFolders, FoldersInACircleAreListedUnderLostDir) {
    SKIP_WITHOUT_NTFS_IMAGES();
    std::string image = CopyOfImage("ntfs_c4k");
    ScanImage(image);
    uint32_t documents = RecordOf(u"Documents", true), reports = RecordOf(u"Reports 2009", true);
    SetParent(image, RecordSector(documents), reports);

    ScanOutcome outcome = ScanImage(image);
    ASSERT_TRUE(outcome.ran);
    std::set<std::string> paths;
    for (const FoundItem& item : outcome.items) paths.insert(Narrow(item.path));
    EXPECT_TRUE(paths.count("/Lost Dir/Documents/notes.txt"));
    EXPECT_TRUE(paths.count("/Lost Dir/Documents/Reports 2009/Summary.doc"));
}

TEST(NtfsDamage, RecordFiveDoesNotMatter) {
    SKIP_WITHOUT_NTFS_IMAGES();
    std::string image = CopyOfImage("ntfs_c4k");
    ScanImage(image);
    WriteZeros(image, uint64_t(RecordSector(5)) * kSectorSize, kMftRecordSize);
    ScanOutcome outcome = ScanImage(image);
    ASSERT_TRUE(outcome.ran);
    ExpectTree(outcome);
}

TEST(NtfsDamage, RecordZeroIsTakenFromTheMirror) {
    SKIP_WITHOUT_NTFS_IMAGES();
    std::string image = CopyOfImage("ntfs_c4k");
    ScanImage(image);
    uint32_t mft = PartitionParameters.mftStart, mirror = PartitionParameters.mftMirrStart;
    ASSERT_NE(mirror, 0u);
    // Record 0 loses its $DATA: the type of every attribute is wiped, the
    // "FILE" tag stays, so the boot-sector check still finds the MFT.
    WriteZeros(image, uint64_t(mft) * kSectorSize + 56, 400);
    ScanOutcome outcome = ScanImage(image);
    ASSERT_TRUE(outcome.ran);
    ExpectTree(outcome, false);

    // Without the mirror too there is no MFT: nothing is listed, the scan ends.
    WriteZeros(image, uint64_t(mirror) * kSectorSize + 56, 400);
    outcome = ScanImage(image);
    EXPECT_EQ(MftRunCount, 0);
    EXPECT_EQ(FilesFound, 0u);
    EXPECT_EQ(ScanRunning, 0);
}

TEST(MftRuns, RecordsMapThroughTheExtents) {
    const uint32_t lengths[] = {64, 32}, starts[] = {1000, 5000};
    struct Case {
        uint32_t record, sector;
    };
    for (Case c : {Case{0, 1000}, Case{31, 1062}, Case{32, 5000}, Case{47, 5030}, Case{48, 7}}) {
        uint32_t sector = 7;
        MftRecordSectorIn(c.record, lengths, starts, 2, sector);
        EXPECT_EQ(sector, c.sector) << c.record;
    }
    const uint32_t sparse[] = {0, 5000};
    uint32_t sector = 7;
    MftRecordSectorIn(3, lengths, sparse, 2, sector);
    EXPECT_EQ(sector, 7u);
}

// A volume in memory: cluster = sector, the MFT's first extent at sector 100
// (records 0 to 3), its second extent in record 3 at sector 500.
struct MemoryMft {
    MemoryDevice* device;

    MemoryMft() {
        ResetEngineState();
        device = AdoptMemoryDevice(1024);
        DriveKind = kPhysicalDrive;
    }

    void Put(uint32_t sector, const std::vector<uint8_t>& record) {
        std::memcpy(device->Sector(sector), record.data(), record.size());
        ClearSectorCache();
    }

    static std::vector<uint8_t> RecordZero(std::vector<std::pair<uint32_t, uint32_t>> list) {
        RecordBuilder zero;
        if (!list.empty()) zero.Resident(kAttrAttributeList, RecordBuilder::AttributeList(list));
        zero.Resident(kAttrFileName, RecordBuilder::FileName(u"$MFT", 5, kWin32AndDosNames));
        zero.NonResident(kAttrData, {0x11, 0x08, 0x64}, 8 * 512);  // 8 sectors at 100
        return zero.OnDisk();
    }

    static std::vector<uint8_t> Segment() {
        RecordBuilder segment;
        segment.NonResident(kAttrData, {0x21, 0x08, 0xF4, 0x01}, 16 * 512);  // 8 at 500
        return segment.OnDisk();
    }
};

TEST(MftRuns, SegmentsNamedByTheAttributeListFollowInListOrder) {
    MemoryMft volume;
    volume.Put(100, MemoryMft::RecordZero({{0x10, 0}, {0x80, 0}, {0x80, 3}, {0x80, 3}}));
    volume.Put(106, MemoryMft::Segment());
    ReadDataRuns(0, 0, 100, 1, 0);
    ASSERT_EQ(MftRunCount, 2);
    EXPECT_EQ(MftRunStarts[0], 100u);
    EXPECT_EQ(MftRunStarts[1], 500u);
    uint32_t sector = 0;
    EXPECT_EQ(MftRecordToSector(5, sector), 502u);
    EXPECT_EQ(MftRecordToSector(8, sector), 0u);
}

TEST(MftRuns, DamagedRecordZeroFallsBackToTheMirror) {
    MemoryMft volume;
    volume.Put(300, MemoryMft::RecordZero({}));
    ReadDataRuns(0, 0, 100, 1, 300);  // nothing at 100
    ASSERT_EQ(MftRunCount, 1);
    EXPECT_EQ(MftRunStarts[0], 100u);
    EXPECT_EQ(MftRunLengths[0], 8u);

    ReadDataRuns(0, 0, 100, 1, 0);
    EXPECT_EQ(MftRunCount, 0);
}

// Stops the scan at the first record it examines past the device's end.
class EndWatch : public EngineUi {
public:
    explicit EndWatch(uint64_t end) : end_(end) {}
    bool passedEnd = false;
    void SetPaneValue(PaneValue which, const std::u16string& text) override {
        if (which != PaneValue::CurrentSector || std::stoull(Narrow(text)) < end_) return;
        passedEnd = true;
        ScanStopFlag = 1;
    }

private:
    uint64_t end_;
};

TEST(MftRuns, RecordsPastTheDeviceEndAreNotReadButKeepTheirNumbers) {
    struct Case {
        const char* what;
        std::vector<uint8_t> runs;
        uint32_t keptSector, keptRecord;
    };
    const Case cases[] = {
        {"one run of four billion clusters", {0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0x64}, 102, 1},
        // 4 records at 100, 8 far past the end, 4 at 500.
        {"an extent past the end between two",
         {0x11, 0x08, 0x64, 0x31, 0x10, 0x00, 0x00, 0x10, 0x31, 0x08, 0x90, 0x01, 0xF0}, 500, 12},
    };
    for (const Case& c : cases) {
        MemoryMft volume;
        RecordBuilder zero;
        zero.Resident(kAttrFileName, RecordBuilder::FileName(u"$MFT", 5, kWin32AndDosNames));
        zero.NonResident(kAttrData, c.runs, 8 * 512);
        volume.Put(100, zero.OnDisk());
        RecordBuilder kept;
        kept.Resident(kAttrFileName, RecordBuilder::FileName(u"kept.txt", 5, kWin32Names));
        kept.Resident(kAttrData, {'k'});
        volume.Put(c.keptSector, kept.OnDisk());
        PartitionParameters.mftStart = 100;
        PartitionParameters.sectorsPerCluster = 1;

        EndWatch watch(1024);
        SetEngineUi(&watch);
        ScanMftRecords();
        SetEngineUi(nullptr);
        EXPECT_FALSE(watch.passedEnd) << c.what;
        EXPECT_EQ(RecordOf(u"kept.txt", false), c.keptRecord) << c.what;
    }
    ClosePhysicalDrive();
    ResetEngineState();
}

}  // namespace
