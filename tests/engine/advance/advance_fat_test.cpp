// The Advance Scan's FAT side on devices written byte by byte: what the
// sweep keeps, which volumes the boot sectors and directory pairs rebuild,
// and the listing of a picked volume.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "advance/advance_fat.h"
#include "advance/advance_lists.h"
#include "advance_run.h"
#include "advance/advance_scan.h"
#include "engine_ui.h"
#include "found_lists.h"
#include "settings.h"
#include "volumes/boot_params.h"
#include "found_items.h"
#include "advance/found_volume_scan.h"
#include "memory_device_test.h"
#include "scan_completion.h"
#include "scan_control.h"
#include "device/sector_access.h"
#include "text.h"

namespace {

class AdvanceFat : public MemoryDeviceTest {
protected:
    RecordingUi ui;

    void Open(size_t sectors) {
        OpenMemoryDevice(sectors);
        ScanMode = kAdvanceScan;
        PartitionParameters.chosenType = kFat32;
        PartitionParameters.startSector = 0;
        PartitionParameters.sectorCount = uint32_t(sectors);
        PartitionParameters.endSector = uint32_t(sectors - 1);
    }
    void SetUp() override { Open(4096); }

    // A sector that begins a directory: "." names own, ".." names parent.
    void Directory(uint32_t sector, uint32_t own, uint32_t parent) {
        uint8_t* s = device->Sector(sector);
        std::memcpy(s, ".          ", 11);
        std::memcpy(s + 32, "..         ", 11);
        s[11] = s[43] = 0x10;
        device->Put16(uint64_t(sector) * 512 + 20, uint16_t(own >> 16));
        device->Put16(uint64_t(sector) * 512 + 26, uint16_t(own));
        device->Put16(uint64_t(sector) * 512 + 52, uint16_t(parent >> 16));
        device->Put16(uint64_t(sector) * 512 + 58, uint16_t(parent));
    }
    // A 32-byte entry at index i of a directory sector.
    void Entry(uint32_t sector, int i, const char* name11, uint8_t attributes, uint32_t cluster,
               uint32_t size) {
        uint64_t at = uint64_t(sector) * 512 + uint64_t(i) * 32;
        std::memcpy(&device->bytes[at], name11, 11);
        device->bytes[at + 11] = attributes;
        device->Put16(at + 20, uint16_t(cluster >> 16));
        device->Put16(at + 26, uint16_t(cluster));
        device->Put32(at + 28, size);
    }
    void Fat32Boot(uint32_t sector, uint8_t spc, uint16_t reserved, uint32_t fatSectors,
                   uint32_t total) {
        uint8_t* s = device->Sector(sector);
        s[13] = spc;
        device->Put16(uint64_t(sector) * 512 + 14, reserved);
        device->Put32(uint64_t(sector) * 512 + 32, total);
        device->Put32(uint64_t(sector) * 512 + 36, fatSectors);
        device->Put32(uint64_t(sector) * 512 + 44, 2);
        std::memcpy(s + 82, "FAT32   ", 8);
        device->PutBootSignature(sector);
    }
    void Fat16Boot(uint32_t sector, uint8_t spc, uint16_t reserved, uint16_t fatSectors,
                   uint16_t rootEntries, uint16_t total16, uint32_t total32) {
        uint8_t* s = device->Sector(sector);
        s[13] = spc;
        device->Put16(uint64_t(sector) * 512 + 14, reserved);
        device->Put16(uint64_t(sector) * 512 + 17, rootEntries);
        device->Put16(uint64_t(sector) * 512 + 19, total16);
        device->Put16(uint64_t(sector) * 512 + 22, fatSectors);
        device->Put32(uint64_t(sector) * 512 + 32, total32);
        std::memcpy(s + 54, "FAT16   ", 8);
        device->PutBootSignature(sector);
    }

    void Run() { RunAdvanceScan(ui); }

    std::vector<uint32_t> CandidateSectors() {
        std::vector<uint32_t> sectors;
        for (DirClusterCandidate* d = DirClusterCandidateList.head; d; d = d->next)
            sectors.push_back(d->sector);
        return sectors;
    }
    std::vector<std::string> Labels() {
        std::vector<std::string> labels;
        for (const auto& label : FoundVolumeLabels(ui)) labels.push_back(Utf16ToUtf8(label));
        return labels;
    }
};

TEST_F(AdvanceFat, SweepKeepsOnlyPlausibleDirectoryStarts) {
    Directory(100, 5, 0);           // kept
    Directory(200, 2, 0);           // FAT16's first data cluster: kept
    Directory(250, 1, 0);           // no such cluster
    Directory(300, 300, 0);         // a cluster cannot lie at or after its own sector
    Directory(400, 0xFFFFFFFF, 0);  // no such cluster
    Directory(500, 7, 0xFFFFFFFF);  // no such parent
    Directory(600, 9, 3);
    device->PutBootSignature(600);  // a boot-signature sector is never a directory
    Run();
    EXPECT_EQ(CandidateSectors(), (std::vector<uint32_t>{100, 200}));
    EXPECT_EQ(AdvanceFoundCounts[0], 2u);
    EXPECT_EQ(DirClusterCandidateList.head->ownCluster, 5u);
}

TEST_F(AdvanceFat, LastReadStopsAtTheRangeAndNothingStaleIsExamined) {
    SectorsPerRead = 100;
    PartitionParameters.sectorCount = 150;
    Directory(120, 5, 0);  // inside the range
    Directory(160, 6, 0);  // in the same read but past the range's end
    Run();
    EXPECT_EQ(CandidateSectors(), std::vector<uint32_t>{120});

    // A sector that fails to read is examined as zeroes, never as what the
    // previous read left at its place in the buffer.
    Open(400);
    SectorsPerRead = 100;
    Directory(50, 7, 0);
    device->badSectors.insert(150);
    BadSectorRetries = 0;
    Run();
    EXPECT_EQ(CandidateSectors(), std::vector<uint32_t>{50});
}

TEST_F(AdvanceFat, SweepOfNothingStillEndsBothPasses) {
    Directory(100, 5, 0);
    PartitionParameters.sectorCount = 0;
    Run();
    EXPECT_EQ(DirClusterCandidateList.head, nullptr);
    EXPECT_EQ(AdvancePassDone[0], 1);
    EXPECT_EQ(AdvancePassDone[1], 1);
    EXPECT_EQ(ScanRunning, 0);
    EXPECT_EQ(ScanStopFlag, 1);
    ASSERT_EQ(ui.volumeTree.size(), 1u);
    EXPECT_EQ(ui.volumeTree[0].text, u"File System");
}

TEST_F(AdvanceFat, StopEndsTheSweepAtTheNextReadAndTheFoundAreStillAnalysed) {
    Directory(100, 10, 0);
    Directory(101, 11, 10);
    Directory(3000, 20, 0);
    Directory(3001, 21, 20);
    ScanMode = kAdvanceScan;
    device->GateAfter(1);  // holds the device read after the first
    SetEngineUi(&ui);
    std::thread worker([] { AdvanceScanThread(); });
    device->WaitUntilHeld();
    ScanStopFlag = 1;
    device->Release();
    worker.join();
    EXPECT_EQ(CandidateSectors(), (std::vector<uint32_t>{100, 101}));
    EXPECT_EQ(FoundVolumeCount, 1);
    EXPECT_EQ(AdvancePassDone[0], 1);
    EXPECT_EQ(AdvancePassDone[1], 1);
    EXPECT_EQ(ScanRunning, 0);
}

TEST_F(AdvanceFat, AScanOfNoKnownFileSystemEndsAtOnce) {
    Directory(100, 10, 0);
    PartitionParameters.chosenType = kUnreadableVolume;
    Run();
    EXPECT_EQ(DirClusterCandidateList.head, nullptr);
    EXPECT_EQ(AdvancePassDone[0], 1);
    EXPECT_EQ(AdvancePassDone[1], 1);
    EXPECT_EQ(ScanRunning, 0);
    EXPECT_EQ(ScanStopFlag, 1);
}

// The whole road on the scan thread: Next starts the worker, the one-second
// timer moves to the file-system page once both passes are done, a pick and
// the page's Next list the volume.
TEST_F(AdvanceFat, WorkersAndTimerTakeTheWizardToTheFoundVolume) {
    Directory(1000, 10, 0);
    Directory(1064, 18, 10);
    ScanMode = kAdvanceScan;
    SetEngineUi(&ui);
    StartAdvanceScan();
    JoinScanWorker();
    ASSERT_TRUE(ScanHasEnded());
    OnScanTimer(kScanTimer);
    EXPECT_EQ(ui.views, std::vector<int>{kFileSystemPage});
    EXPECT_TRUE(ui.messages.empty()) << "a volume was found";
    EXPECT_EQ(AdvancePassDone[0], 0) << "the timer clears the pass flags";

    ASSERT_EQ(PickFoundVolumeByItem(FoundVolumeList.head->treeItem), 1u);
    StartFileSystemScan();
    JoinScanWorker();
    ASSERT_TRUE(ScanHasEnded());
    std::vector<std::u16string> rows;
    for (const auto& row : ui.rows) rows.push_back(row.columns[0]);
    EXPECT_EQ(rows, (std::vector<std::u16string>{u"Dir10", u"Lost Dir"}));
}

TEST_F(AdvanceFat, TimerSaysSoWhenNoVolumeWasFound) {
    ScanMode = kAdvanceScan;
    SetEngineUi(&ui);
    StartAdvanceScan();
    JoinScanWorker();
    OnScanTimer(kScanTimer);
    EXPECT_EQ(ui.views, std::vector<int>{kFileSystemPage});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, 2);
    EXPECT_EQ(ui.fileSystemInfo,
              u"Mulvara was unable to identify a file system in the selected sector range.");
}

TEST_F(AdvanceFat, TooManyBootCandidatesEndTheSweepButAreStillAnalysed) {
    const uint32_t limit = kMaxFatBootCandidates;
    Open(limit + 200);
    for (uint32_t s = 0; s < limit + 100; ++s) {
        std::memcpy(device->Sector(s) + 82, "FAT32", 5);
        device->PutBootSignature(s);
    }
    Run();
    EXPECT_EQ(BootCandidateCount, limit + 1);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().kind, 2);
    EXPECT_EQ(ui.messages.back().text, u"Too many data structures found");
    EXPECT_EQ(AdvancePassDone[0], 1);
    EXPECT_EQ(FoundVolumeCount, 0);
}

TEST_F(AdvanceFat, BootSectorClaimsTheDirectoriesItsGeometryPlaces) {
    // C0 = 100 + 32 + 2 * 100 - 2 * 8 = 316.
    Fat32Boot(100, 8, 32, 100, 3000);
    Fat32Boot(106, 8, 32, 100, 3000);  // the backup: six sectors later, same values
    Directory(316 + 3 * 8, 3, 0);
    Directory(316 + 9 * 8, 9, 3);
    Directory(316 + 9 * 8 + 1, 4, 0);  // not where cluster 4 lies
    Run();
    EXPECT_EQ(Labels(), std::vector<std::string>{"FAT32 @316"});
    ASSERT_EQ(FoundVolumeCount, 1);
    const FoundVolume& v = *FoundVolumeList.head;
    EXPECT_EQ(v.type, kFat32);
    EXPECT_EQ(v.values.sectorsPerFat, 100u);
    EXPECT_EQ(v.values.sectorsPerCluster, 8u);
    EXPECT_EQ(v.values.root, 2u);
    EXPECT_EQ(v.values.reservedSectors, 32u);
    EXPECT_EQ(v.values.cluster0Sector, 316u);
    EXPECT_EQ(v.values.fat1Start, 132u);
    EXPECT_EQ(v.values.fat2Start, 232u);
    EXPECT_EQ(v.values.endSector, 3100u);
    DirClusterCandidate* d = DirClusterCandidateList.head;
    EXPECT_EQ(d->volumeMark, 1);
    EXPECT_EQ(d->next->volumeMark, 1);
    EXPECT_EQ(d->next->next->volumeMark, kNoVolume);
    EXPECT_EQ(ui.volumeTree[v.treeItem - 1].parent, 1u) << "volumes hang below \"File System\"";
}

TEST_F(AdvanceFat, BootSectorsThatCannotHoldAVolumeYieldNone) {
    Fat32Boot(0, 1, 1, 10, 3000);  // C0 = 19: below 63
    Directory(19 + 3, 3, 0);
    Directory(19 + 4, 4, 3);
    Fat32Boot(500, 3, 32, 10, 3000);  // 3 sectors per cluster
    Directory(500 + 32 + 20 - 6 + 3 * 9, 9, 0);
    Fat32Boot(700, 8, 32, 10, 100);  // its directory lies past its end
    Directory(700 + 32 + 20 - 16 + 8 * 20, 20, 0);
    Run();
    // Only the pair after the first boot sector makes a volume, solved from
    // the two directories alone.
    ASSERT_EQ(FoundVolumeCount, 1);
    EXPECT_EQ(FoundVolumeList.head->values.cluster0Sector, 19u);
    EXPECT_EQ(FoundVolumeList.head->values.fat1Start, 0u);
    EXPECT_EQ(DirClusterCandidateList.tail->volumeMark, kNoVolume);
}

TEST_F(AdvanceFat, SmallFat16VolumeEndsWhereItsSixteenBitTotalSays) {
    // C0 = 63 + 4 + 2 * 20 + 512 / 16 - 2 * 4 = 131.
    Fat16Boot(63, 4, 4, 20, 512, 3000, 0);
    Directory(131 + 4 * 5, 5, 0);
    Directory(131 + 4 * 7, 7, 5);
    Run();
    ASSERT_EQ(FoundVolumeCount, 1);
    const FoundVolume& v = *FoundVolumeList.head;
    EXPECT_EQ(v.type, kFat16);
    EXPECT_EQ(v.values.endSector, 3063u);
    EXPECT_EQ(v.values.fat1Start, 67u) << "built from the boot sector, not inferred";
    EXPECT_EQ(v.values.root, 107u);
    EXPECT_EQ(v.values.rootDirSectors, 32u);
}

struct PairCase {
    const char* what;
    uint32_t sectorA, clusterA, sectorB, clusterB;
    uint32_t spc;  // 0: no volume
    uint32_t cluster0;
};

class DirectoryPairs : public AdvanceFat, public testing::WithParamInterface<PairCase> {};

TEST_P(DirectoryPairs, SolveTheGeometryOnlyForAPowerOfTwoClusterSize) {
    const PairCase& c = GetParam();
    Directory(c.sectorA, c.clusterA, 0);
    Directory(c.sectorB, c.clusterB, c.clusterA);
    Run();
    if (!c.spc) {
        EXPECT_EQ(FoundVolumeCount, 0) << c.what;
        EXPECT_EQ(DirClusterCandidateList.head->volumeMark, kNoVolume);
        return;
    }
    ASSERT_EQ(FoundVolumeCount, 1) << c.what;
    EXPECT_EQ(FoundVolumeList.head->values.sectorsPerCluster, c.spc);
    EXPECT_EQ(FoundVolumeList.head->values.cluster0Sector, c.cluster0);
    EXPECT_EQ(FoundVolumeList.head->values.fat1Start, 0u);
    EXPECT_EQ(FoundVolumeList.head->values.endSector, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, DirectoryPairs,
    testing::Values(PairCase{"8 clusters, 64 sectors apart", 1000, 10, 1064, 18, 8, 920},
                    PairCase{"one sector per cluster", 300, 40, 305, 45, 1, 260},
                    PairCase{"a quotient of 3", 1000, 10, 1024, 18, 0, 0},
                    PairCase{"a quotient of 256", 1000, 3, 1256, 4, 0, 0},
                    PairCase{"not divisible", 1000, 10, 1063, 18, 0, 0},
                    PairCase{"cluster 0 would lie before sector 1", 100, 20, 108, 21, 0, 0}),
    [](const testing::TestParamInfo<PairCase>& info) { return std::to_string(info.index); });

TEST_F(AdvanceFat, InferredTypeIsFat16UnlessTheUserChoseFat32OrClustersSayOtherwise) {
    struct {
        uint16_t chosen;
        uint32_t firstCluster;
        uint16_t expected;
    } cases[] = {{kFat16, 10, kFat16}, {kFat32, 10, kFat32}, {kFat16, 0x10000, kFat32}};
    for (const auto& c : cases) {
        Open(4096);
        PartitionParameters.chosenType = c.chosen;
        // Clusters far above the sector numbers need a cluster-0 sector that
        // is negative: place the pair with one sector per cluster instead.
        uint32_t a = 1000;
        if (c.firstCluster >= a) {
            Open(0x10000 + 2000);
            PartitionParameters.chosenType = c.chosen;
            a = 0x10000 + 100;
        }
        Directory(a, c.firstCluster, 0);
        Directory(a + 1, c.firstCluster + 1, c.firstCluster);
        Run();
        ASSERT_EQ(FoundVolumeCount, 1);
        EXPECT_EQ(FoundVolumeList.head->type, c.expected) << c.firstCluster;
        EXPECT_EQ(FoundVolumeList.head->values.root, c.expected == kFat32 ? 2u : 0u);
    }
}

TEST_F(AdvanceFat, PickingAVolumeCopiesItsValuesIntoTheParameters) {
    Fat32Boot(100, 8, 32, 100, 3000);
    Directory(316 + 3 * 8, 3, 0);
    Run();
    ASSERT_EQ(FoundVolumeCount, 1);
    EXPECT_EQ(PickFoundVolumeByItem(1), 0u) << "\"File System\" picks nothing";
    EXPECT_EQ(PickFoundVolume(2), 0u);
    EXPECT_EQ(+PartitionParameters.scannedType, 0);
    EXPECT_EQ(PickFoundVolumeByItem(FoundVolumeList.head->treeItem), 1u);
    EXPECT_EQ(+PartitionParameters.scannedType, kFat32);
    EXPECT_EQ(+PartitionParameters.foundVolumeIndex, 1);
    EXPECT_EQ(+PartitionParameters.cluster0Sector, 316u);
    EXPECT_EQ(+PartitionParameters.fat1Start, 132u);
    EXPECT_EQ(+PartitionParameters.volumeEndSector, 3100u);
}

TEST_F(AdvanceFat, PickedVolumeListsNamedFoldersOrphansAndFiles) {
    // FAT32, one sector per cluster, C0 = 100 + 4 + 2 * 4 - 2 = 110; FAT
    // copies at 104 and 108; root at cluster 2 (sector 112).
    Fat32Boot(100, 1, 4, 4, 3000);
    device->Put32(104 * 512, 0x0FFFFFF8);
    device->Put32(104 * 512 + 8, 0x0FFFFFFF);  // root: one cluster
    Entry(112, 0, "MUSIC      ", 0x10, 3, 0);
    Entry(112, 1, "SONG    MP3", 0x20, 9, 1234);
    Entry(112, 2, "\xE5" "ONE    TXT", 0x20, 10, 5);
    Directory(113, 3, 0);  // MUSIC
    Entry(113, 2, "\xE5" "LD     DIR", 0x10, 4, 0);
    Directory(114, 4, 3);  // the deleted folder inside MUSIC
    Entry(114, 2, "A       TXT", 0x20, 11, 7);
    Directory(115, 5, 40);  // orphans: their parent 40 was never found
    Directory(116, 6, 40);
    Run();
    ASSERT_EQ(FoundVolumeCount, 1);
    ASSERT_TRUE(ScanFoundVolume(ui, 1));

    std::vector<std::string> folders;
    for (FatFolderEntry* f = FatFolderList.head; f; f = f->next)
        folders.push_back(Utf16ToUtf8(f->name) + " " + std::to_string(f->cluster) + "<" +
                          std::to_string(f->parentCluster) + (f->deleted ? " deleted" : ""));
    EXPECT_EQ(folders, (std::vector<std::string>{"MUSIC 3<0", "xLD.DIR 4<3 deleted", "Dir5 5<40",
                                                 "Dir6 6<40", "Lost Dir 4294967294<0",
                                                 "Dir40 40<4294967294"}));
    std::vector<std::string> files;
    for (FatFileEntry* f = FatFileList.head; f; f = f->next)
        files.push_back(Utf16ToUtf8(f->name) + " " + std::to_string(f->parentCluster) +
                        (f->deleted ? " deleted" : ""));
    EXPECT_EQ(files, (std::vector<std::string>{"SONG.MP3 0", "xONE.TXT 0 deleted", "A.TXT 4 deleted"}));
    EXPECT_EQ(FilesFound, 3u);
    // The root is listed: its folders and files, no parent row.
    ASSERT_FALSE(ui.rows.empty());
    EXPECT_EQ(ui.rows[0].columns[0], u"MUSIC");
    EXPECT_EQ(ScanStopFlag, 1);
    EXPECT_EQ(ScanRunning, 0);
}

TEST_F(AdvanceFat, FoldersWhoseParentsGoRoundInACircleAreShownUnderLostDir) {
    Fat32Boot(100, 1, 4, 4, 3000);  // C0 = 110
    Directory(113, 3, 4);
    Directory(114, 4, 3);
    Directory(115, 5, 5);  // its own parent
    Run();
    ASSERT_TRUE(ScanFoundVolume(ui, 1));
    std::vector<std::string> paths;
    for (const FoundItem& item : CollectFoundItems(ui)) paths.push_back(Utf16ToUtf8(item.path));
    EXPECT_EQ(paths, (std::vector<std::string>{"/Lost Dir/Dir3", "/Lost Dir/Dir3/Dir4",
                                               "/Lost Dir/Dir5", "/Lost Dir"}));
}

TEST_F(AdvanceFat, InferredVolumeFindsItsFatCopiesBeforeReadingDirectories) {
    // No boot sector: the pair gives C0 = 110 and one sector per cluster; the
    // FAT copies begin F8 FF FF at 104 and 108.
    device->Put32(104 * 512, 0x0FFFFFF8);
    device->Put32(104 * 512 + 12, 0x0FFFFFFF);  // cluster 3: one cluster
    device->Put32(108 * 512, 0x0FFFFFF8);
    Directory(113, 3, 0);
    Entry(113, 2, "B       TXT", 0x20, 12, 9);
    Directory(114, 4, 3);
    Run();
    ASSERT_EQ(FoundVolumeCount, 1);
    ASSERT_TRUE(ScanFoundVolume(ui, 1));
    EXPECT_EQ(+PartitionParameters.fat1Start, 104u);
    EXPECT_EQ(+PartitionParameters.fat2Start, 108u);
    EXPECT_EQ(+PartitionParameters.sectorsPerFat, 4u);
    EXPECT_EQ(+PartitionParameters.root, 2u);
    ASSERT_NE(FatFileList.head, nullptr);
    EXPECT_EQ(std::u16string(FatFileList.head->name), u"B.TXT");

    // With a single FAT start found the size of a FAT stays unknown.
    Open(4096);
    device->Put32(104 * 512, 0x0FFFFFF8);
    Directory(113, 3, 0);
    Directory(114, 4, 3);
    Run();
    ASSERT_TRUE(ScanFoundVolume(ui, 1));
    EXPECT_EQ(+PartitionParameters.fat1Start, 104u);
    EXPECT_EQ(+PartitionParameters.fat2Start, 0u);
    EXPECT_EQ(+PartitionParameters.sectorsPerFat, 0u);
}

}  // namespace
