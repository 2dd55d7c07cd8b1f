// Partition tables and the partition search over a disk image with an MBR
// and an extended chain (tools/images/make_disk_images.sh) and over disks
// written byte by byte here.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <tuple>

#include "engine_ui.h"
#include "scan_control.h"
#include "volumes/boot_params.h"
#include "partition_choice.h"
#include "volumes/partition_table.h"
#include "test_images.h"

namespace {

using Partition = std::tuple<uint32_t, uint32_t, uint16_t>;

std::vector<Partition> Listed() {
    std::vector<Partition> listed;
    for (int i = 0; i < PartitionCount; ++i)
        listed.push_back({PartitionTable[i].startSector, PartitionTable[i].sectorCount,
                          PartitionTable[i].fileSystemType});
    return listed;
}

std::vector<Partition> ListImage(const std::string& image, bool search = false) {
    std::string error;
    EXPECT_TRUE(ListImagePartitions(image, search, error)) << error;
    return Listed();
}

const std::vector<Partition> kDiskPartitions = {
    {2048, 32768, kFat16}, {43008, 69632, kFat32}, {116736, 14336, kFat16}};

TEST(PartitionTable, ListsTheFatPartitionsOfTheMbrAndTheExtendedChain) {
    // The NTFS partition (type 7) is not listed.
    EXPECT_EQ(ListImage(ImagePath("disk")), kDiskPartitions);
}

class DiskPartition : public testing::TestWithParam<uint32_t> {};

TEST_P(DiskPartition, ChosenByItsFirstSectorAndScanned) {
    std::string error;
    ASSERT_TRUE(SelectImagePartition(ImagePath("disk"), GetParam(), error)) << error;
    const PartitionParametersRecord chosen = PartitionParameters;
    EXPECT_EQ(uint32_t(chosen.startSector), GetParam());
    ScanOutcome outcome = ScanImage(ImagePath("disk"), chosen.startSector, chosen.sectorCount,
                                    chosen.chosenType);
    ASSERT_TRUE(outcome.ran);
    std::set<std::string> paths;
    for (const FoundItem& item : outcome.items) paths.insert(Narrow(item.path));
    EXPECT_EQ(paths, (std::set<std::string>{
                         "/Music", "/Documents", "/Old", "/SMALL.TXT", "/A long name with spaces.txt",
                         "/xONTIG.BIN", "/Music/SAME.TXT", "/Documents/SAME.TXT",
                         "/Documents/xAP.BIN", "/Documents/AFTER.BIN", "/Documents/fragmented.bin",
                         "/Old/xHOTO.JPG"}));
}

INSTANTIATE_TEST_SUITE_P(Volumes, DiskPartition, testing::Values(2048u, 43008u, 116736u));

TEST(PartitionTable, NoPartitionAtTheSectorIsAnError) {
    std::string error;
    EXPECT_FALSE(SelectImagePartition(ImagePath("disk"), 34816, error));  // NTFS: not listed
    EXPECT_NE(error.find("34816"), std::string::npos);
}

// Table entry bytes: type, first sector, count.
std::vector<uint8_t> TableEntry(uint8_t type, uint32_t first, uint32_t count) {
    std::vector<uint8_t> entry(16, 0);
    entry[4] = type;
    std::vector<uint8_t> f = Le32(first), c = Le32(count);
    std::copy(f.begin(), f.end(), entry.begin() + 8);
    std::copy(c.begin(), c.end(), entry.begin() + 12);
    return entry;
}

void PutEntry(const std::string& image, uint32_t table, int index, uint8_t type, uint32_t first,
              uint32_t count) {
    WriteBytes(image, uint64_t(table) * 512 + 446 + 16 * uint64_t(index), TableEntry(type, first, count));
    WriteBytes(image, uint64_t(table) * 512 + 510, {0x55, 0xAA});
}

struct ChainDamage {
    const char* label;
    uint32_t table;  // EBR whose second entry becomes a link
    uint32_t link;
    size_t partitions;
};

class LoopingChain : public testing::TestWithParam<ChainDamage> {};

TEST_P(LoopingChain, EndsWithoutListingAnythingTwice) {
    const ChainDamage& c = GetParam();
    std::string image = CopyOfImage("disk");
    PutEntry(image, c.table, 1, 0x05, c.link, 16384);
    std::vector<Partition> listed = ListImage(image);
    ASSERT_EQ(listed.size(), c.partitions);
    for (size_t i = 0; i < listed.size(); ++i) EXPECT_EQ(listed[i], kDiskPartitions[i]);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoopingChain,
    testing::Values(ChainDamage{"LastLinksBackToTheFirst", 114688, 0, 3},
                    ChainDamage{"LastLinksToItself", 114688, 73728, 3},
                    ChainDamage{"FirstLinksToItself", 40960, 0, 2},
                    ChainDamage{"LinkPastTheExtendedPartition", 114688, 90112, 3},
                    ChainDamage{"LinkPastTheDisk", 114688, 0xFFFFFF00, 3}),
    [](const testing::TestParamInfo<ChainDamage>& info) { return std::string(info.param.label); });

// An empty disk of `sectors` in a file.
std::string EmptyDisk(uint64_t sectors) {
    std::string image = TemporaryFolder() + "/disk.img";
    { std::ofstream create(image, std::ios::binary); }
    Truncate(image, sectors * 512);
    return image;
}

// An extended partition at 100 whose chain of 30 tables lists a FAT16
// partition each, more than the table holds.
void PutLongChain(const std::string& image) {
    PutEntry(image, 0, 0, 0x0F, 100, 1800);
    for (uint32_t i = 0; i < 30; ++i) {
        PutEntry(image, 100 + 10 * i, 0, 0x06, 1, 8);
        PutEntry(image, 100 + 10 * i, 1, 0x05, 10 * (i + 1), 10);
    }
}

const Partition kTwentyFifth(100 + 240 + 1, 8, kFat16);

TEST(PartitionTable, ALongChainFillsTheTableAtTwentyFive) {
    std::string image = EmptyDisk(2000);
    PutLongChain(image);
    std::vector<Partition> listed = ListImage(image);
    ASSERT_EQ(listed.size(), 25u);
    EXPECT_EQ(listed[24], kTwentyFifth);
}

TEST(PartitionTable, TypesAndSignatures) {
    std::string image = EmptyDisk(2000);
    PutEntry(image, 0, 0, 0x01, 200, 50);   // FAT12 type: only inside the chain
    PutEntry(image, 0, 1, 0x07, 300, 50);   // no "NTFS" and not a FAT type
    PutEntry(image, 0, 2, 0x0C, 400, 50);   // FAT32 by type
    PutEntry(image, 0, 3, 0x0F, 1000, 900);
    PutEntry(image, 1000, 0, 0x01, 10, 20);
    EXPECT_EQ(ListImage(image), (std::vector<Partition>{{400, 50, kFat32}, {1010, 20, kFat16}}));

    // 0x55 without 0xAA is no table.
    WriteBytes(image, 511, {0x00});
    EXPECT_TRUE(ListImage(image).empty());
}

// A FAT32 boot sector naming its total sectors.
void PutFat32Boot(const std::string& image, uint32_t sector, uint32_t total) {
    std::vector<uint8_t> boot(512, 0);
    std::memcpy(&boot[82], "FAT32   ", 8);
    std::vector<uint8_t> t = Le32(total);
    std::copy(t.begin(), t.end(), boot.begin() + 32);
    boot[510] = 0x55;
    boot[511] = 0xAA;
    WriteBytes(image, uint64_t(sector) * 512, boot);
}

TEST(PartitionSearch, FindsFat32BootSectorsAtCylinderStarts) {
    std::string image = EmptyDisk(4 * 16065);
    PutFat32Boot(image, 16065 + 63, 1000);  // the second track of cylinder 1
    PutFat32Boot(image, 2 * 16065, 2000);   // the first sector of cylinder 2
    EXPECT_EQ(ListImage(image), (std::vector<Partition>{{16128, 1000, kFat32}, {32130, 2000, kFat32}}));

    // A partition the table already lists is not added again.
    PutEntry(image, 0, 0, 0x0C, 16128, 1000);
    EXPECT_EQ(ListImage(image, true),
              (std::vector<Partition>{{16128, 1000, kFat32}, {32130, 2000, kFat32}}));
    EXPECT_EQ(ListImage(image, false), (std::vector<Partition>{{16128, 1000, kFat32}}));
}

TEST(PartitionSearch, AddsNothingToATableTheChainFilled) {
    std::string image = EmptyDisk(16065);
    PutLongChain(image);
    PutFat32Boot(image, 63, 1000);
    std::vector<Partition> listed = ListImage(image, true);
    ASSERT_EQ(listed.size(), 25u);
    EXPECT_EQ(listed[24], kTwentyFifth);
}

TEST(PartitionSearch, OtherGeometriesAreSearchedAs255By63) {
    DiskGeometry g{100, 16, 32};
    std::string image = EmptyDisk(2 * 16065);
    PutFat32Boot(image, 16065 + 63, 500);
    std::string error;
    ASSERT_TRUE(ListImagePartitions(image, false, error));
    PartitionCount = 0;
    ScanStopFlag = 0;
    SearchPartitions(g);  // 51,200 sectors: three cylinders of 255 x 63
    EXPECT_EQ(Listed(), (std::vector<Partition>{{16128, 500, kFat32}}));
}

// Holds the search at its first cylinder until the interface thread, while
// pausing the worker, handles its messages.
class GatedSearchUi : public EngineUi {
public:
    void SetDrivePageProgress(int) override {
        std::unique_lock<std::mutex> hold(mutex_);
        ++cylinders;
        changed_.notify_all();
        changed_.wait(hold, [this] { return open_; });
    }
    void PumpMessages() override {
        std::lock_guard<std::mutex> hold(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    bool WaitForFirstCylinder() {
        std::unique_lock<std::mutex> hold(mutex_);
        return changed_.wait_for(hold, std::chrono::seconds(30), [this] { return cylinders > 0; });
    }
    int Cylinders() {
        std::lock_guard<std::mutex> hold(mutex_);
        return cylinders;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
    int cylinders = 0;
};

TEST(PartitionSearch, PausesAtTheNextCylinderAndStopsThere) {
    std::string image = EmptyDisk(2 * 16065);
    std::string error;
    ASSERT_TRUE(ListImagePartitions(image, false, error)) << error;
    PartitionCount = 0;
    GatedSearchUi ui;
    SetEngineUi(&ui);
    StartScanWorker([] {
        SearchPartitions(DiskGeometry{100000, 255, 63});
        ScanRunning = 0;
        ScanStopFlag = 1;
    });
    ASSERT_TRUE(ui.WaitForFirstCylinder());
    // Returns only once the worker waits at a pause point: before the
    // search's end, which is 100,000 cylinders away.
    PauseScanWorker();
    EXPECT_EQ(ScanWorkerFinished.load(), 0);
    EXPECT_EQ(ScanHasEnded(), 0);
    ScanStopFlag = 1;
    ScanRunning = 0;
    ResumeScanWorker();
    JoinScanWorker();
    SetEngineUi(nullptr);
    EXPECT_EQ(ui.Cylinders(), 1);  // it stopped where it paused
    EXPECT_EQ(ScanHasEnded(), 1);
}

}  // namespace
