// The Advance Scan over images made by mkfs.fat and mtools whose partition
// table, boot sectors or whole file system are gone: the rebuilt volume
// must list what the Standard Scan lists on the intact volume.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "advance/advance_lists.h"
#include "advance_run.h"
#include "found_lists.h"
#include "volumes/boot_params.h"
#include "engine_state.h"
#include "image_scan.h"
#include "memory_device_test.h"
#include "partition_choice.h"
#include "recovery_run.h"
#include "device/sector_access.h"
#include "test_images.h"
#include "text.h"

namespace {

// The Standard Scan's listing of an intact volume image.
std::set<TreeEntry> StandardListing(const std::string& image) {
    ScanOutcome outcome = ScanImage(ImagePath(image));
    EXPECT_TRUE(outcome.ran) << image;
    return TreeEntries(outcome.items);
}

// What make_fat_images.sh writes into a file: its path and a line feed,
// again and again, cut to the size.
std::string RepeatedName(const std::string& path, size_t size) {
    std::string content;
    while (content.size() < size) content += path + "\n";
    content.resize(size);
    return content;
}

// A listed path and the path the script wrote are the same file: listings
// show 8.3 names upper-cased and deleted names with an 'x' in front.
bool NamesTheSameFile(const std::string& listed, const std::string& written) {
    if (listed.size() != written.size()) return false;
    const size_t name = listed.rfind('/') + 1;  // the name's first letter
    for (size_t i = 0; i < listed.size(); ++i)
        if (toupper(listed[i]) != toupper(written[i]) && !(i == name && listed[i] == 'x'))
            return false;
    return true;
}

// A disk image holding the volume image at `sector`, with nothing before it:
// no partition table.
std::string DiskWithVolumeAt(const std::string& volume, uint64_t sector) {
    std::string path = TemporaryFolder() + "/disk.img";
    std::ifstream in(ImagePath(volume), std::ios::binary);
    std::ofstream out(path, std::ios::binary);
    out.seekp(std::streamoff(sector * 512));
    out << in.rdbuf();
    return path;
}

struct AdvanceOutcome {
    RecordingUi ui;
    std::vector<std::u16string> labels;
    std::set<TreeEntry> entries;
};

// Runs the Advance Scan over the whole image and lists found volume `pick`.
void AdvanceScan(const std::string& path, uint16_t type, uint32_t pick, AdvanceOutcome& out) {
    std::string error;
    ASSERT_TRUE(SelectImage(path, 0, 0, type, error)) << error;
    RunAdvanceScan(out.ui);
    out.labels = FoundVolumeLabels(out.ui);
    ASSERT_TRUE(ScanFoundVolume(out.ui, pick)) << "no volume " << pick;
    out.entries = TreeEntries(CollectFoundItems(out.ui));
    // Every found volume gets an (empty here) folder for orphans.
    EXPECT_EQ(out.entries.erase({true, "/Lost Dir", 0, false}), 1u);
}

class AdvanceImages : public testing::Test {
protected:
    void TearDown() override { ReleaseEngine(); }
};

struct WipedCase {
    const char* volume;
    uint16_t type;
    uint32_t offset;       // where the volume starts on the disk
    bool wipeBootSectors;  // then the volume is solved from its directories
    const char* label;
};

class WipedDisk : public AdvanceImages, public testing::WithParamInterface<WipedCase> {};

TEST_P(WipedDisk, RebuiltVolumeListsWhatTheIntactVolumeHolds) {
    const WipedCase& c = GetParam();
    const std::set<TreeEntry> expected = StandardListing(c.volume);
    ASSERT_GT(expected.size(), 60u);
    std::string disk = DiskWithVolumeAt(c.volume, c.offset);
    if (c.wipeBootSectors) {
        WriteZeros(disk, uint64_t(c.offset) * 512, 512);
        WriteZeros(disk, uint64_t(c.offset + 6) * 512, 512);  // FAT32's backup
    }

    AdvanceOutcome outcome;
    AdvanceScan(disk, c.type, 1, outcome);
    ASSERT_EQ(outcome.labels.size(), 1u);
    EXPECT_EQ(Narrow(outcome.labels[0]), c.label);
    EXPECT_EQ(outcome.entries, expected);
    if (c.wipeBootSectors) {
        EXPECT_EQ(FoundVolumeList.head->values.fat1Start, 0u) << "inferred from directories";
        EXPECT_NE(+PartitionParameters.fat1Start, 0u) << "its FAT copies were found";
    } else {
        const std::vector<uint8_t> boot = ReadBytes(ImagePath(c.volume), 14, 2);
        EXPECT_EQ(FoundVolumeList.head->values.fat1Start, c.offset + uint32_t(boot[0] | boot[1] << 8))
            << "built from the boot sector";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Images, WipedDisk,
    testing::Values(WipedCase{"fat32_s1", kFat32, 2048, false, "FAT32 @4096"},
                    WipedCase{"fat32_s1", kFat32, 2048, true, "FAT32 @4096"},
                    WipedCase{"fat16_s4", kFat16, 63, false, "FAT16 @219"},
                    WipedCase{"fat16_s4", kFat16, 63, true, "FAT16 @219"},
                    // Keeps its size in the 16-bit field of the boot sector.
                    WipedCase{"fat16_s1", kFat16, 63, false, "FAT16 @348"},
                    WipedCase{"fat16_s1", kFat16, 63, true, "FAT16 @348"}),
    [](const testing::TestParamInfo<WipedCase>& info) {
        return std::string(info.param.volume) + (info.param.wipeBootSectors ? "_no_boot" : "_no_mbr");
    });

TEST_F(AdvanceImages, DiskWithoutPartitionTableGivesBackEveryFatVolume) {
    const uint32_t partitions[] = {2048, 43008, 116736};
    std::vector<std::set<TreeEntry>> expected;
    for (uint32_t start : partitions) {
        std::string error;
        ASSERT_TRUE(SelectImagePartition(ImagePath("disk"), start, error)) << error;
        const PartitionParametersRecord chosen = PartitionParameters;
        ScanOutcome outcome =
            ScanImage(ImagePath("disk"), chosen.startSector, chosen.sectorCount, chosen.chosenType);
        ASSERT_TRUE(outcome.ran);
        expected.push_back(TreeEntries(outcome.items));
    }
    std::string disk = CopyOfImage("disk");
    WriteZeros(disk, 0, 512);

    for (uint32_t pick = 1; pick <= 3; ++pick) {
        AdvanceOutcome outcome;
        AdvanceScan(disk, kFat16, pick, outcome);
        ASSERT_EQ(outcome.labels.size(), 3u);
        EXPECT_GT(+PartitionParameters.cluster0Sector, partitions[pick - 1]);
        EXPECT_EQ(outcome.entries, expected[pick - 1]) << "volume " << pick;
    }
}

// After a quick format the old directories are still in the data area; only
// the root and the FATs were written again. Directories longer than a
// cluster lose what lies past their first cluster (the FAT that chained them
// is gone).
struct ReformatCase {
    const char* image;
    bool rootSurvives;  // the new format wrote its root elsewhere
};

class Reformatted : public AdvanceImages, public testing::WithParamInterface<ReformatCase> {};

TEST_P(Reformatted, OldFoldersAndFilesAreFoundWithTheirNames) {
    const ReformatCase& c = GetParam();
    std::set<TreeEntry> original = StandardListing("fat32_s8");
    std::map<std::string, uint32_t> rootFolderClusters;
    for (FatFolderEntry* f = FatFolderList.head; f; f = f->next)
        if (f->parentCluster == 0) rootFolderClusters[Narrow(f->name)] = f->cluster;
    ResetEngineState();

    AdvanceOutcome outcome;
    AdvanceScan(ImagePath(c.image), kFat32, 1, outcome);
    ASSERT_EQ(outcome.labels.size(), 1u);
    EXPECT_EQ(Narrow(outcome.labels[0]), "FAT32 @1216");

    // Without the old root its folders keep the placeholder names.
    std::set<TreeEntry> expected;
    std::map<std::string, std::string> originalPaths;  // listed path -> path the script wrote
    for (TreeEntry e : original) {
        std::string& path = std::get<1>(e);
        const std::string written = path;
        if (!c.rootSurvives) {
            size_t slash = path.find('/', 1);
            if (slash == std::string::npos) {
                if (!std::get<0>(e)) continue;  // a file of the lost root
                path = "/Dir" + std::to_string(rootFolderClusters.at(path.substr(1)));
                std::get<3>(e) = false;  // the entry that said it was deleted is gone
            } else {
                path = "/Dir" + std::to_string(rootFolderClusters.at(path.substr(1, slash - 1))) +
                       path.substr(slash);
            }
        }
        expected.insert(e);
        originalPaths[path] = written;
    }
    std::set<TreeEntry> missing;
    for (const TreeEntry& e : expected)
        if (!outcome.entries.count(e)) missing.insert(e);
    for (const TreeEntry& e : outcome.entries) EXPECT_TRUE(expected.count(e)) << std::get<1>(e);
    // Only files of the long folder, past its first 4 KiB cluster, are lost.
    for (const TreeEntry& e : missing) {
        EXPECT_FALSE(std::get<0>(e)) << std::get<1>(e);
        EXPECT_NE(std::get<1>(e).find("Entry number"), std::string::npos) << std::get<1>(e);
    }
    EXPECT_LT(missing.size(), 15u);

    // The files come back byte for byte from consecutive clusters (the FAT
    // that chained them is new). Left out: the fragmented file, which needs
    // its old chain, and the deleted one whose clusters it took.
    const std::string destination = TemporaryFolder();
    size_t checked = 0;
    for (const RecoveredItem& item : RecoverFoundFiles(outcome.ui, Utf8ToUtf16(destination), {})) {
        const std::string path = Narrow(item.path);
        if (path.find("fragmented.bin") != std::string::npos || path.find("xAP.BIN") != std::string::npos)
            continue;
        ASSERT_TRUE(item.written) << path;
        uint64_t size = 0;
        for (const TreeEntry& e : expected)
            if (std::get<1>(e) == path) size = std::get<2>(e);
        const std::string content = FileContent(Narrow(item.target));
        const std::string original = originalPaths.at(path);
        // A file shorter than its path holds the path's beginning.
        const std::string source = content.substr(0, content.find('\n'));
        EXPECT_TRUE(NamesTheSameFile(original.substr(0, source.size()), source)) << path << " holds " << source;
        EXPECT_EQ(content, RepeatedName(source, size_t(size))) << path;
        ++checked;
    }
    EXPECT_GT(checked, 30u);
}

INSTANTIATE_TEST_SUITE_P(Images, Reformatted,
                         testing::Values(ReformatCase{"fat32_reformatted", false},
                                         ReformatCase{"fat32_reformatted_s16", true}),
                         [](const testing::TestParamInfo<ReformatCase>& info) {
                             return std::string(info.param.image);
                         });

}  // namespace
