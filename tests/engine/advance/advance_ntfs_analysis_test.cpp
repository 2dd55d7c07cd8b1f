// The NTFS analysis of the Advance Scan over work lists filled by hand and a
// device holding only the boot sectors and index buffers it reads: folder
// numbers, volumes from boot sectors and from folder pairs, the placement
// of the rest and the listing of a picked volume.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "advance/advance_lists.h"
#include "advance/advance_ntfs.h"
#include "advance_run.h"
#include "found_lists.h"
#include "scan_control.h"
#include "volumes/boot_params.h"
#include "found_items.h"
#include "folder_listing.h"
#include "advance/found_volume_scan.h"
#include "memory_device_test.h"
#include "device/sector_access.h"
#include "text.h"

namespace {

class NtfsAnalysis : public MemoryDeviceTest {
protected:
    RecordingUi ui;

    void SetUp() override {
        OpenMemoryDevice(20000);
        ScanMode = kAdvanceScan;
        PartitionParameters.chosenType = kNtfs;
        PartitionParameters.sectorCount = 20000;
        PartitionParameters.endSector = 19999;
        SetEngineUi(&ui);
    }

    void Indx(uint32_t sector) { std::memcpy(device->Sector(sector), "INDX", 4); }
    void Boot(uint32_t sector, uint8_t spc, uint64_t total, uint32_t perIndexRecord) {
        device->PutNtfsBoot(sector, spc, total, 4, 2, perIndexRecord);
        AddBootSectorCandidate(sector);
        ++BootCandidateCount;
    }
    // A folder whose FILE record is at `sector`, numbered `record`, whose
    // first index buffer (VCN 0) lies at `bufferSector` and starts at
    // cluster `firstCluster` of its volume.
    void Folder(const char16_t* name, uint32_t sector, uint32_t record, uint32_t parent,
                uint32_t firstCluster, uint32_t bufferSector) {
        AddAdvanceNtfsFolder(name, sector, parent, record, 0, 0, firstCluster, 0);
        if (bufferSector) {
            AddIndexRecordNode(bufferSector, record, 0, 8);
            ++IndexRecordCount;
            Indx(bufferSector);
        }
    }
    std::vector<uint16_t> Volumes() {
        std::vector<uint16_t> volumes;
        for (AdvanceNtfsFolderEntry* f = AdvanceNtfsFolderList.head; f; f = f->next)
            volumes.push_back(f->volumeNumber);
        return volumes;
    }
};

TEST_F(NtfsAnalysis, FoldersWithoutNumberAreNumberedByTheirDistanceToThePreviousFolder) {
    AddAdvanceNtfsFolder(u"a", 1000, 5, 0, 0, 0, 0, 0);   // first without number: 2
    AddAdvanceNtfsFolder(u"b", 1006, 5, 0, 0, 0, 0, 0);   // 3 records on: 5
    AddAdvanceNtfsFolder(u"c", 1009, 5, 0, 0, 0, 0, 0);   // odd distance: one on, 6
    AddAdvanceNtfsFolder(u"d", 2000, 5, 40, 0, 0, 0, 0);  // numbered already
    AddAdvanceNtfsFolder(u"e", 2004, 5, 0, 0, 0, 0, 0);   // 40 + 2
    AssignMftNumbers();
    std::vector<uint32_t> numbers;
    for (AdvanceNtfsFolderEntry* f = AdvanceNtfsFolderList.head; f; f = f->next)
        numbers.push_back(f->recordNumber);
    EXPECT_EQ(numbers, (std::vector<uint32_t>{2, 5, 6, 40, 42}));
}

TEST_F(NtfsAnalysis, OnlyTheFirstBufferOfEachFolderIsKept) {
    AddIndexRecordNode(100, 30, 0, 8);
    AddIndexRecordNode(108, 30, 1, 8);
    AddIndexRecordNode(116, 31, 0, 8);
    AddIndexRecordNode(124, 31, 2, 8);
    IndexRecordCount = 4;
    DeleteUnusedIndexEntries();
    EXPECT_EQ(IndexRecordCount, 2u);
    std::vector<uint32_t> kept;
    for (IndexRecord* r = IndexRecordList.head; r; r = r->next) kept.push_back(r->sector);
    EXPECT_EQ(kept, (std::vector<uint32_t>{100, 116}));
    AddIndexRecordNode(200, 32, 0, 8);  // the tail is still right
    EXPECT_EQ(IndexRecordList.tail->sector, 200u);
    EXPECT_EQ(IndexRecordList.head->next->next->sector, 200u);
}

TEST_F(NtfsAnalysis, BootSectorClaimsTheFoldersWhoseBuffersLieWhereItPutsThem) {
    Boot(1000, 8, 6000, 0xF4);
    Folder(u"Music", 1100, 30, 5, 50, 1000 + 8 * 50);
    Folder(u"Photos", 1102, 31, 5, 60, 1000 + 8 * 60);
    Folder(u"Elsewhere", 1104, 32, 5, 70, 0);  // no buffer where cluster 70 lies
    Folder(u"Beyond", 9000, 33, 5, 80, 1000 + 8 * 80);  // its record lies past the end
    AnalyseNtfsVolumes();
    ASSERT_GE(FoundVolumeCount, 1);
    const FoundVolume& v = *FoundVolumeList.head;
    EXPECT_EQ(Utf16ToUtf8(ui.volumeTree[v.treeItem - 1].text), "NTFS @1000");
    EXPECT_EQ(v.type, kNtfs);
    EXPECT_EQ(v.values.sectorsPerCluster, 8u);
    EXPECT_EQ(v.values.cluster0Sector, 1000u);
    EXPECT_EQ(v.values.mftStart, 1032u);
    EXPECT_EQ(v.values.mftMirrStart, 1016u);
    EXPECT_EQ(v.values.indexRecordSectors, 8u);
    EXPECT_EQ(v.values.endSector, 7000u);
    EXPECT_EQ(Volumes()[0], 1);
    EXPECT_EQ(Volumes()[1], 1);
    EXPECT_EQ(AdvancePassDone[0], 1);
    EXPECT_EQ(AdvancePassDone[1], 1);
    EXPECT_EQ(ScanStopFlag, 1);
    EXPECT_EQ(ScanRunning, 0);
}

TEST_F(NtfsAnalysis, IndexRecordSizeComesFromTheBootSector) {
    Boot(1000, 4, 6000, 2);  // two clusters of four sectors
    Folder(u"Music", 1100, 30, 5, 50, 1000 + 4 * 50);
    AnalyseNtfsVolumes();
    ASSERT_GE(FoundVolumeCount, 1);
    EXPECT_EQ(FoundVolumeList.head->values.indexRecordSectors, 8u);
}

struct PairCase {
    const char* what;
    uint32_t clusterF, bufferF, clusterG, bufferG;
    uint32_t spc;  // 0: no volume
    uint32_t start;
};

class NtfsPairs : public NtfsAnalysis, public testing::WithParamInterface<PairCase> {};

TEST_P(NtfsPairs, TwoFoldersSolveTheClusterSizeAndStart) {
    const PairCase& c = GetParam();
    Folder(u"F", 5000, 30, 5, c.clusterF, c.bufferF);
    Folder(u"G", 5002, 31, 5, c.clusterG, c.bufferG);
    AnalyseNtfsVolumes();
    if (!c.spc) {
        EXPECT_EQ(FoundVolumeCount, 0) << c.what;
        return;
    }
    ASSERT_EQ(FoundVolumeCount, 1) << c.what;
    const FoundVolume& v = *FoundVolumeList.head;
    EXPECT_EQ(v.values.sectorsPerCluster, c.spc);
    EXPECT_EQ(v.values.cluster0Sector, c.start);
    EXPECT_EQ(v.values.indexRecordSectors, 8u);
    EXPECT_EQ(v.values.endSector, 19999u) << "an inferred volume ends with the scanned range";
    EXPECT_EQ(v.values.mftStart, 0u);
    EXPECT_EQ(Volumes(), (std::vector<uint16_t>{1, 1}));
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, NtfsPairs,
    testing::Values(PairCase{"8 clusters, 64 sectors apart", 100, 3000, 108, 3064, 8, 2200},
                    PairCase{"the later folder lies lower", 108, 3064, 100, 3000, 8, 2200},
                    PairCase{"a quotient of 3", 100, 3000, 108, 3024, 0, 0},
                    PairCase{"a quotient of 256", 10, 3000, 11, 3256, 0, 0},
                    PairCase{"the start would be negative", 1000, 3000, 1008, 3064, 0, 0}),
    [](const testing::TestParamInfo<PairCase>& info) { return std::to_string(info.index); });

TEST_F(NtfsAnalysis, UnplacedFoldersTakeTheVolumeOfTheFolderBeforeThem) {
    Folder(u"lost first", 4000, 20, 5, 0, 0);  // no index: given up, then takes 1
    Folder(u"F", 5000, 30, 5, 100, 3000);
    Folder(u"G", 5002, 31, 5, 108, 3064);
    Folder(u"H", 5004, 32, 5, 0, 0);  // follows a placed folder
    Boot(10000, 8, 5000, 0xF4);
    Folder(u"K", 10100, 33, 5, 20, 10000 + 8 * 20);
    Folder(u"L", 10102, 34, 5, 0, 0);
    AnalyseNtfsVolumes();
    ASSERT_EQ(FoundVolumeCount, 2);
    // The boot-sector volume is found first; the pair makes the second.
    EXPECT_EQ(Volumes(), (std::vector<uint16_t>{1, 2, 2, 2, 1, 1}));
}

TEST_F(NtfsAnalysis, PickedVolumeListsItsFoldersLostParentsAndOnlyItsOwnFiles) {
    Boot(1000, 8, 6000, 0xF4);
    Folder(u".", 1010, 5, 5, 1, 1008);          // the root: never copied
    Folder(u"Music", 1100, 30, 5, 50, 1400);
    Folder(u"Album", 1102, 31, 30, 60, 1480);
    Folder(u"Orphan", 1104, 32, 77, 70, 1560);  // its parent 77 was never found
    Folder(u"Orphan2", 1106, 33, 77, 71, 1568);
    Folder(u"Other", 1108, 34, 78, 72, 1576);
    AddAdvanceNtfsFile(u"song.mp3", 1200, 31, 0, 0, 5000000000ull, 0);
    AddAdvanceNtfsFile(u"top.txt", 1202, 5, 0, 0, 12, 1);
    AddAdvanceNtfsFile(u"foreign.txt", 8000, 5, 0, 0, 3, 0);  // another volume's record
    AddAdvanceNtfsFile(u"stray.txt", 1204, 99, 0, 0, 4, 0);   // its folder was never found
    Folder(u"Round", 1110, 40, 41, 73, 1584);                 // two folders in a circle
    Folder(u"About", 1112, 41, 40, 74, 1592);
    AnalyseNtfsVolumes();
    ASSERT_EQ(FoundVolumeCount, 1);
    ASSERT_TRUE(ScanFoundVolume(ui, 1));

    std::vector<std::string> folders;
    for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next)
        folders.push_back(Utf16ToUtf8(f->name) + " " + std::to_string(f->recordNumber) + "<" +
                          std::to_string(f->parentRecord));
    EXPECT_EQ(folders, (std::vector<std::string>{
                           "Music 30<5", "Album 31<30", "Orphan 32<77", "Orphan2 33<77",
                           "Other 34<78", "Round 40<4294967294", "About 41<40",
                           "Lost Dir 4294967294<5", "Dir0 77<4294967294", "Dir1 78<4294967294",
                           "Dir2 99<4294967294"}));
    std::set<std::string> paths;
    for (const FoundItem& item : CollectFoundItems(ui)) paths.insert(Utf16ToUtf8(item.path));
    EXPECT_TRUE(paths.count("/Lost Dir/Dir2/stray.txt"));
    EXPECT_TRUE(paths.count("/Lost Dir/Round/About"));
    EXPECT_FALSE(paths.count("/foreign.txt"));
    // The root lists its folders and the volume's own root files only.
    std::vector<std::u16string> names;
    for (const auto& row : ui.rows) names.push_back(row.columns[0]);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Music", u"Lost Dir", u"top.txt"}));
    EXPECT_EQ(ui.rows.back().columns[1], u"Deleted File");
    EXPECT_EQ(ui.rows.back().columns[5], u"1202");

    ListNtfsFolder(31);
    ASSERT_EQ(ui.rows.size(), 2u);
    EXPECT_EQ(ui.rows[0].columns[0], u"Parent...");
    EXPECT_EQ(ui.rows[1].columns[0], u"song.mp3");
    EXPECT_EQ(ui.rows[1].columns[2], u"5000000000");
}

}  // namespace
