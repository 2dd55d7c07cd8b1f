// The Standard Scan over FAT images made by mkfs.fat and mtools: the listing
// must match the tree the image script wrote, whole or damaged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <tuple>

#include "found_lists.h"
#include "scan_control.h"
#include "volumes/boot_params.h"
#include "device/sector_access.h"
#include "test_images.h"
#include "text.h"

namespace {

std::set<TreeEntry> ExpectedTree() {
    std::set<TreeEntry> tree = {
        {true, "/Music", 0, false},
        {true, "/Documents", 0, false},
        {true, "/OldPhotos", 0, true},
        {true, "/Many", 0, false},
        {true, "/Music/Artist", 0, false},
        {true, "/Documents/Reports 2009", 0, false},
        {true, "/OldPhotos/Trip", 0, true},
        {true, "/Music/Artist/Album", 0, false},
        {false, "/SHORT.TXT", 100, false},
        {false, "/xELME.TXT", 700, true},
        {false, "/A Long File Name.txt", 1500, false},
        {false, "/Thirteen1.txt", 20, false},
        {false, "/Twenty-six characters!.txt", 3000, false},
        {false, "/This is a rather long file name for testing the scanner.dat", 5000, false},
        {false, "/\xC3\x9Cn\xC3\xAF" "c\xC3\xB8" "d\xC3\xA9 \xC3\x86" "ble.txt", 42, false},
        {false, "/\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB.txt", 77, false},
        {false, "/Documents/NOTES.TXT", 12, false},
        {false, "/Documents/xAP.BIN", 4096, true},
        {false, "/Documents/AFTER.BIN", 4096, false},
        {false, "/Documents/fragmented.bin", 20000, false},
        {false, "/OldPhotos/xMG_0001.JPG", 20000, true},
        {false, "/OldPhotos/Trip/xMG_0002.JPG", 25000, true},
        {false, "/Documents/Reports 2009/Summary.doc", 9000, false},
        {false, "/Music/Artist/Album/Track 01.mp3", 40000, false},
        {false, "/Music/Artist/Album/Deleted Song.mp3", 30000, true},
    };
    for (int i = 1; i <= 40; ++i) {
        char name[80];
        std::snprintf(name, sizeof name, "/Many/Entry number %02d with a long name.bin", i);
        tree.insert({false, name, 300, false});
    }
    return tree;
}

class WholeImage : public testing::TestWithParam<std::string> {};

TEST_P(WholeImage, ListsEveryLiveAndDeletedEntryWithItsPath) {
    ScanOutcome outcome = ScanImage(ImagePath(GetParam()));
    ASSERT_TRUE(outcome.ran);
    EXPECT_EQ(TreeEntries(outcome.items), ExpectedTree());
    EXPECT_EQ(outcome.items.size(), ExpectedTree().size()) << "an entry was listed twice";
    EXPECT_EQ(FoldersFound, 8u);
    EXPECT_EQ(FilesFound, 57u);

    // File numbers run 0, 1, 2 ... in the order of discovery.
    uint32_t expected = 0;
    for (FatFileEntry* f = FatFileList.head; f; f = f->next) EXPECT_EQ(f->fileNumber, expected++);
    // The root is listed once the scan ends: its folders and files, no parent row.
    ASSERT_FALSE(outcome.ui->rows.empty());
    EXPECT_NE(outcome.ui->rows[0].columns[0], u"Parent...");
    EXPECT_EQ(ScanStopFlag, 1);
    EXPECT_EQ(ScanRunning, 0);
}

INSTANTIATE_TEST_SUITE_P(ClusterSizes, WholeImage,
                         testing::Values("fat16_s1", "fat16_s4", "fat16_s64", "fat32_s1",
                                         "fat32_s8", "fat32_s64"));

struct BootDamage {
    const char* label;
    const char* image;
    std::vector<uint32_t> zeroedSectors;
    std::vector<std::pair<uint32_t, uint8_t>> patchedBytes;  // byte offset, value
};

class DamagedBootSector : public testing::TestWithParam<BootDamage> {};

TEST_P(DamagedBootSector, GeometryComesFromBackupOrSearch) {
    const BootDamage& damage = GetParam();
    std::string image = CopyOfImage(damage.image);
    uint16_t type = std::string(damage.image).find("fat32") == 0 ? kFat32 : kFat16;
    for (uint32_t s : damage.zeroedSectors) WriteZeros(image, uint64_t(s) * kSectorSize, kSectorSize);
    for (auto& [offset, value] : damage.patchedBytes) WriteBytes(image, offset, {value});
    ScanOutcome outcome = ScanImage(image, 0, 0, type);
    ASSERT_TRUE(outcome.ran);
    EXPECT_EQ(TreeEntries(outcome.items), ExpectedTree());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedBootSector,
    testing::Values(BootDamage{"Fat32PrimaryWiped", "fat32_s1", {0}, {}},
                    BootDamage{"Fat32ClusterSizeThree", "fat32_s8", {}, {{13, 3}}},
                    BootDamage{"Fat32BothWiped", "fat32_s1", {0, 6}, {}},
                    BootDamage{"Fat32BigClustersBothWiped", "fat32_s8", {0, 6}, {}},
                    BootDamage{"Fat16Wiped", "fat16_s4", {0}, {}},
                    BootDamage{"Fat16ClusterSizeZero", "fat16_s1", {}, {{13, 0}}}),
    [](const testing::TestParamInfo<BootDamage>& info) { return std::string(info.param.label); });

TEST(DamagedBootSector, NothingUsableEndsWithTheParametersMessage) {
    std::string image = CopyOfImage("fat16_s1");
    // No boot sector and nothing that looks like a directory.
    WriteZeros(image, 0, 16ull << 20);
    ScanOutcome outcome = ScanImage(image, 0, 0, kFat16);
    EXPECT_FALSE(outcome.ran);
    EXPECT_EQ(ParametersNotFound, 1);
    ASSERT_EQ(outcome.ui->messages.size(), 1u);
    EXPECT_NE(outcome.ui->messages[0].text.find(u"unable to find correct partition parameters"),
              std::u16string::npos);
    EXPECT_EQ(outcome.ui->timerStops, 1);
    EXPECT_EQ(outcome.ui->controls[ScanControl::Back], std::make_pair(true, true));
}

// Where a folder's entries live on the image, learned from a clean scan.
struct FolderPlace {
    uint32_t cluster = 0;
    uint32_t fat1Start = 0;
    uint32_t cluster0Sector = 0;
    uint32_t sectorsPerCluster = 0;
};

FolderPlace FindFolder(const std::string& image, const char16_t* name) {
    FolderPlace place;
    ScanOutcome outcome = ScanImage(image);
    for (FatFolderEntry* f = FatFolderList.head; f; f = f->next)
        if (std::u16string(f->name) == name) place.cluster = f->cluster;
    place.fat1Start = PartitionParameters.fat1Start;
    place.cluster0Sector = PartitionParameters.cluster0Sector;
    place.sectorsPerCluster = PartitionParameters.sectorsPerCluster;
    EXPECT_NE(place.cluster, 0u);
    return place;
}

uint64_t FatEntryOffset(const FolderPlace& p, uint32_t cluster) {
    return uint64_t(p.fat1Start) * kSectorSize + uint64_t(cluster) * 4;
}

uint64_t ClusterOffset(const FolderPlace& p, uint32_t cluster) {
    return (uint64_t(p.cluster0Sector) + uint64_t(cluster) * p.sectorsPerCluster) * kSectorSize;
}

void ExpectNoPathTwice(const ScanOutcome& outcome) {
    std::set<std::pair<bool, std::string>> seen;
    for (const FoundItem& item : outcome.items)
        EXPECT_TRUE(seen.insert({item.folder, Narrow(item.path)}).second) << Narrow(item.path);
}

TEST(DamagedVolume, FatCycleInAFolderChainEndsTheWalk) {
    std::string image = CopyOfImage("fat32_s1");
    FolderPlace many = FindFolder(image, u"Many");
    // The third cluster of /Many points back at the first.
    uint32_t second = ReadBytes(image, FatEntryOffset(many, many.cluster), 4)[0] |
                      ReadBytes(image, FatEntryOffset(many, many.cluster), 4)[1] << 8;
    std::vector<uint8_t> third = ReadBytes(image, FatEntryOffset(many, second), 4);
    uint32_t thirdCluster = third[0] | third[1] << 8 | third[2] << 16;
    WriteBytes(image, FatEntryOffset(many, thirdCluster), Le32(many.cluster));

    ScanOutcome outcome = ScanImage(image);
    ASSERT_TRUE(outcome.ran);
    ExpectNoPathTwice(outcome);
    size_t inMany = std::count_if(outcome.items.begin(), outcome.items.end(), [](const FoundItem& i) {
        return Narrow(i.path).rfind("/Many/", 0) == 0;
    });
    EXPECT_GT(inMany, 0u);
    EXPECT_LT(inMany, 40u);
}

TEST(DamagedVolume, FolderPointingAtAnAncestorIsNotWalkedAgain) {
    for (const char16_t* target : {u"Music", u"Artist"}) {
        std::string image = CopyOfImage("fat32_s1");
        FolderPlace music = FindFolder(image, target);
        FolderPlace album = FindFolder(image, u"Album");
        // Add a folder entry inside Album whose cluster is its ancestor's.
        uint64_t slot = ClusterOffset(album, album.cluster) + 15 * 32;
        std::vector<uint8_t> entry(32, 0);
        std::memcpy(entry.data(), "LOOP       ", 11);
        entry[11] = 0x10;
        entry[20] = uint8_t(music.cluster >> 16);
        entry[21] = uint8_t(music.cluster >> 24);
        entry[26] = uint8_t(music.cluster);
        entry[27] = uint8_t(music.cluster >> 8);
        WriteBytes(image, slot, entry);

        ScanOutcome outcome = ScanImage(image);
        ASSERT_TRUE(outcome.ran);
        ExpectNoPathTwice(outcome);
        EXPECT_EQ(FilesFound, 57u);
    }
}

TEST(DamagedVolume, ClustersPastTheEndAreNotFollowed) {
    std::string image = CopyOfImage("fat32_s1");
    FolderPlace docs = FindFolder(image, u"Documents");
    // The folder's chain runs off the volume, and a folder entry names a
    // cluster far past the end.
    WriteBytes(image, FatEntryOffset(docs, docs.cluster), Le32(0x0FFFFFF0));
    FolderPlace album = FindFolder(image, u"Album");
    uint64_t slot = ClusterOffset(album, album.cluster) + 15 * 32;
    std::vector<uint8_t> entry(32, 0);
    std::memcpy(entry.data(), "FARAWAY    ", 11);
    entry[11] = 0x10;
    entry[20] = 0xF0;
    entry[21] = 0x0F;
    entry[26] = 0x10;
    WriteBytes(image, slot, entry);

    ScanOutcome outcome = ScanImage(image);
    ASSERT_TRUE(outcome.ran);
    ExpectNoPathTwice(outcome);
}

TEST(DamagedVolume, TruncatedImageEndsTheScan) {
    for (uint64_t size : {600ull * 1024, 2ull << 20, 20ull << 20}) {
        std::string image = CopyOfImage("fat32_s1");
        Truncate(image, size);
        ScanOutcome outcome = ScanImage(image, 0, 131072, kFat32);
        // Whatever could be read is listed; the scan ends either way.
        EXPECT_EQ(ScanRunning, outcome.ran ? 0 : 1);
        ExpectNoPathTwice(outcome);
    }
}

}  // namespace
