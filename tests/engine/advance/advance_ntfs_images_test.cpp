// The Advance Scan over NTFS images made by mkntfs and ntfs-3g whose boot
// sectors are wiped or that were quick-formatted again: the rebuilt volume
// lists the tree the image script wrote, and its files come back byte for
// byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "advance/advance_lists.h"
#include "advance_run.h"
#include "volumes/boot_params.h"
#include "image_scan.h"
#include "memory_device_test.h"
#include "ntfs_image_tree.h"
#include "recovery_run.h"
#include "device/sector_access.h"
#include "test_images.h"
#include "text.h"

namespace {

struct NtfsCase {
    const char* image;
    bool wipeBootSectors;  // both copies: the volume is solved from its folders
    uint32_t sectorsPerCluster;
};

class AdvanceNtfsImages : public testing::TestWithParam<NtfsCase> {
protected:
    void TearDown() override { ReleaseEngine(); }
};

// What the script wrote, without the volume's own files, the fill files and
// the file made to fill their holes.
bool IsScriptEntry(const FoundItem& item) {
    const std::string path = Narrow(item.path);
    return path.find("/$") == std::string::npos && path.rfind("/Fill/", 0) != 0 &&
           path != "/Documents/fragmented.bin";
}

TEST_P(AdvanceNtfsImages, RebuiltVolumeListsAndRecoversTheTree) {
    SKIP_WITHOUT_NTFS_IMAGES();
    const NtfsCase& c = GetParam();
    const std::string image = CopyOfImage(c.image);
    if (c.wipeBootSectors) {
        const uint64_t sectors = std::filesystem::file_size(image) / 512;
        WriteZeros(image, 0, 512);
        WriteZeros(image, (sectors - 1) * 512, 512);
    }
    std::string error;
    ASSERT_TRUE(SelectImage(image, 0, 0, kNtfs, error)) << error;
    RecordingUi ui;
    RunAdvanceScan(ui);
    ASSERT_EQ(FoundVolumeLabels(ui), std::vector<std::u16string>{u"NTFS @0"});
    EXPECT_EQ(FoundVolumeList.head->values.sectorsPerCluster, c.sectorsPerCluster);
    EXPECT_EQ(FoundVolumeList.head->values.mftStart == 0, c.wipeBootSectors);
    ASSERT_TRUE(ScanFoundVolume(ui, 1));

    std::set<TreeEntry> listed;
    for (const FoundItem& item : CollectFoundItems(ui)) {
        if (!IsScriptEntry(item)) continue;
        EXPECT_TRUE(listed.insert(EntryOf(item)).second)
            << "listed twice: " << Narrow(item.path);
    }
    EXPECT_EQ(listed, NtfsImageTree());

    const std::string destination = TemporaryFolder();
    size_t checked = 0;
    for (const RecoveredItem& item : RecoverFoundFiles(ui, Utf8ToUtf16(destination), {})) {
        const std::string path = Narrow(item.path);
        for (const TreeEntry& e : NtfsImageTree()) {
            if (std::get<0>(e) || std::get<1>(e) != path) continue;
            ASSERT_TRUE(item.written) << path;
            EXPECT_EQ(FileContent(Narrow(item.target)), LineContent(path, size_t(std::get<2>(e))))
                << path;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 13u);
}

INSTANTIATE_TEST_SUITE_P(Images, AdvanceNtfsImages,
                         testing::Values(NtfsCase{"ntfs_c4k", true, 8},
                                         NtfsCase{"ntfs_c512", true, 1},
                                         NtfsCase{"ntfs_reformatted", false, 8}),
                         [](const testing::TestParamInfo<NtfsCase>& info) {
                             return std::string(info.param.image) +
                                    (info.param.wipeBootSectors ? "_no_boot" : "");
                         });

}  // namespace
