// Cluster chains over a FAT held in memory.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "file_recovery.h"
#include "volumes/boot_params.h"
#include "fat/fat_chain.h"
#include "memory_device_test.h"
#include "device/sector_access.h"

namespace {

class ChainWalk : public MemoryDeviceTest {
protected:
    void Use(uint16_t type) {
        OpenMemoryDevice(20000);
        PartitionParameters.scannedType = type;
        PartitionParameters.fat1Start = 10;
        PartitionParameters.fat2Start = 400;
        PartitionParameters.sectorsPerFat = 390;
        PartitionParameters.sectorsPerCluster = 1;
        PartitionParameters.cluster0Sector = 800;
        PartitionParameters.sectorCount = 20000;
    }
    void Set(uint32_t cluster, uint32_t next, uint32_t fatStart = 10) {
        if (PartitionParameters.scannedType == kFat32)
            device->Put32(uint64_t(fatStart) * 512 + cluster * 4ull, next);
        else
            device->Put16(uint64_t(fatStart) * 512 + cluster * 2ull, uint16_t(next));
    }
    void Link(uint32_t from, uint32_t to) {
        for (uint32_t c = from; c < to; ++c) Set(c, c + 1);
    }
};

TEST_F(ChainWalk, EndMarksAndBrokenLinks) {
    struct Case {
        uint16_t type;
        uint32_t value;
        size_t length;  // clusters in the chain from cluster 5
        const char* what;
    } cases[] = {
        {kFat32, 0x0FFFFFF8, 2, "end mark written by mkfs.fat"},
        {kFat32, 0x0FFFFFFF, 2, "end mark"},
        {kFat32, 0xFFFFFFF8, 2, "end mark with the reserved upper bits set"},
        {kFat32, 0x0FFFFFF7, 2, "bad cluster"},
        {kFat32, 0x00000001, 2, "reserved value"},
        {kFat32, 0x00000000, 2, "free: chain zeroed by a delete"},
        {kFat32, 0x0009FFFF, 2, "past the volume's last cluster"},
        {kFat32, 0xF0000007, 3, "upper bits are not part of the cluster number"},
        {kFat16, 0xFFF8, 2, "FAT16 end mark"},
        {kFat16, 0xFFFF, 2, "FAT16 end mark written by mtools"},
        {kFat16, 0xFFF7, 2, "FAT16 bad cluster"},
        {kFat16, 0x0007, 3, "FAT16 link"},
    };
    for (const Case& c : cases) {
        Use(c.type);
        Set(5, 6);
        Set(6, c.value);
        Set(7, 0x0FFFFFFF);
        BuildClusterChainLimited(5);
        EXPECT_EQ(ClusterChain.size(), c.length) << c.what;
    }
}

TEST_F(ChainWalk, CountBoundsTheChainAtOneMoreThanAsked) {
    Use(kFat32);
    Link(100, 109);
    Set(109, 0x0FFFFFFF);
    BuildClusterChain(100, 3, 1);
    EXPECT_EQ(ClusterChain, (std::vector<uint32_t>{100, 101, 102, 103}));
    BuildClusterChain(100, 50, 1);
    EXPECT_EQ(ClusterChain.size(), 10u);
}

TEST_F(ChainWalk, SecondCopyReadsTheSecondFat) {
    Use(kFat32);
    Set(20, 21, 400);
    Set(21, 0x0FFFFFFF, 400);
    BuildClusterChain(20, 10, 2);
    EXPECT_EQ(ClusterChain, (std::vector<uint32_t>{20, 21}));
    BuildClusterChain(20, 10, 1);
    EXPECT_EQ(ClusterChain, (std::vector<uint32_t>{20}));
}

TEST_F(ChainWalk, DirectoryChainsStopAtTheLargestDirectoryFatAllows) {
    struct Case {
        uint32_t sectorsPerCluster;
        size_t clusters;  // of a chain of 5,000 from cluster 2
    } cases[] = {{1, 4096}, {8, 512}, {32, 128}, {64, 100}, {128, 100}};
    for (const Case& c : cases) {
        Use(kFat32);
        PartitionParameters.sectorsPerCluster = c.sectorsPerCluster;
        Link(2, 5002);
        BuildClusterChainLimited(2);
        EXPECT_EQ(ClusterChain.size(), c.clusters) << c.sectorsPerCluster << " sectors per cluster";
    }
}

TEST_F(ChainWalk, CycleEndsTheWalkWithEachClusterOnce) {
    for (uint32_t back : {5u, 7u, 9u}) {
        Use(kFat32);
        Link(5, 9);
        Set(9, back);
        BuildClusterChain(5, 1000000, 1);
        EXPECT_EQ(ClusterChain, (std::vector<uint32_t>{5, 6, 7, 8, 9})) << "loop back to " << back;
    }
    Use(kFat32);
    Set(5, 5);
    BuildClusterChainLimited(5);
    EXPECT_EQ(ClusterChain, (std::vector<uint32_t>{5}));
}

TEST_F(ChainWalk, StopFlagsEndARecoveryWalkButNotADirectoryWalk) {
    Use(kFat32);
    Link(5, 20);
    Set(20, 0x0FFFFFFF);
    SkipCurrentFile = 1;
    BuildClusterChain(5, 100, 1);
    EXPECT_EQ(ClusterChain.size(), 1u);
    BuildClusterChainLimited(5);
    EXPECT_EQ(ClusterChain.size(), 16u);
}

TEST_F(ChainWalk, UnreadableFatSectorEndsTheWalk) {
    Use(kFat32);
    Link(5, 200);
    device->badSectors.insert(10 + 130 / 128);  // holds the entry of cluster 130
    BuildClusterChainLimited(5);
    EXPECT_EQ(ClusterChain.back(), 128u);
    BuildClusterChain(5, 1000, 1);
    EXPECT_EQ(ClusterChain.back(), 128u);
}

TEST(ComposeCluster, BytesInDirectoryEntryOrder) {
    EXPECT_EQ(ComposeCluster(0x34, 0x12, 0x78, 0x56), 0x56781234u);
}

}  // namespace
