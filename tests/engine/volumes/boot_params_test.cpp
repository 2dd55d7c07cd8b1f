// Geometry from boot sectors written byte by byte, and the parameter search.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "volumes/boot_params.h"
#include "scan_control.h"
#include "memory_device_test.h"
#include "recording_ui.h"
#include "device/sector_access.h"

namespace {

class BootSectors : public MemoryDeviceTest {
protected:
    void SetUp() override { OpenMemoryDevice(200000); }
    void Text(uint64_t sector, size_t offset, const char* text) {
        std::memcpy(device->Sector(sector) + offset, text, std::strlen(text));
    }
    void Select(uint16_t type, uint32_t start, uint32_t count) {
        PartitionParameters.chosenType = type;
        PartitionParameters.startSector = start;
        PartitionParameters.sectorCount = count;
        PartitionParameters.endSector = start + count - 1;
    }
};

TEST_F(BootSectors, NtfsClusterSizeAndIndexRecordSize) {
    struct Case {
        uint32_t perIndex;
        uint32_t sectors;
    } cases[] = {{0xF4, 8}, {1, 8}, {0xF6, 8 * 246}};
    for (const Case& c : cases) {
        device->PutNtfsBoot(100, 8, 0, 4, 8, c.perIndex);
        Text(100 + 32, 0, "FILE");
        Text(100 + 64, 0, "FILE");
        Select(kNtfs, 100, 10000);
        ClearSectorCache();  // the bytes changed under the cache
        ASSERT_EQ(ReadBootParameters(), 1);
        EXPECT_EQ(+PartitionParameters.indexRecordSectors, c.sectors) << c.perIndex;
        EXPECT_EQ(+PartitionParameters.mftStart, 132u);
        EXPECT_EQ(+PartitionParameters.mftMirrStart, 164u);
        EXPECT_EQ(+PartitionParameters.cluster0Sector, 100u);
        EXPECT_EQ(+PartitionParameters.constantField, 2u);
    }
}

TEST_F(BootSectors, NtfsFallsBackToTheCopyAtTheEnd) {
    device->PutNtfsBoot(100, 3, 0, 4, 8, 1);  // three sectors per cluster: unusable
    device->PutNtfsBoot(100 + 9999, 4, 0, 4, 8, 1);
    Text(100 + 16, 0, "FILE");
    Select(kNtfs, 100, 10000);
    ASSERT_EQ(ReadBootParameters(), 1);
    EXPECT_EQ(+PartitionParameters.sectorsPerCluster, 4u);
    EXPECT_EQ(+PartitionParameters.mftStart, 116u);
    EXPECT_EQ(+PartitionParameters.mftMirrStart, 0u);  // no FILE at the mirror

    device->Sector(100 + 9999)[13] = 6;
    ClearSectorCache();
    EXPECT_EQ(ReadBootParameters(), 0);
}

TEST_F(BootSectors, NtfsWithoutAnyMftIsRefused) {
    device->PutNtfsBoot(100, 8, 0, 4, 8, 1);
    Select(kNtfs, 100, 10000);
    EXPECT_EQ(ReadBootParameters(), 0);
}

TEST_F(BootSectors, Fat32KeepsItsFullSectorsPerFat) {
    const uint32_t fatSize = 70000;
    device->PutBootSignature(0);
    device->Sector(0)[13] = 1;
    device->Put16(14, 32);
    device->Put32(36, fatSize);
    device->Put32(44, 2);
    device->Sector(32 + fatSize)[0] = 0xF8;
    Select(kFat32, 0, 200000);
    ASSERT_EQ(ReadBootParameters(), 1);
    EXPECT_EQ(+PartitionParameters.sectorsPerFat, fatSize);
    EXPECT_EQ(+PartitionParameters.fat2Start, 32 + fatSize);
    EXPECT_EQ(+PartitionParameters.cluster0Sector, 32 + 2 * fatSize - 2);
}

TEST_F(BootSectors, LogicalDrivesAreReadFromTheirOwnSectorZero) {
    DriveKind = kLogicalDrive;
    Select(kFat32, 500, 100);
    ReadBootParameters();
    EXPECT_EQ(+PartitionParameters.startSector, 0u);
    EXPECT_EQ(+PartitionParameters.scannedType, kFat32);
}

TEST_F(BootSectors, OtherTypesNeedNoGeometry) {
    Select(kUnreadableVolume, 0, 100);
    EXPECT_EQ(ReadBootParameters(), 1);
}

// The first sectors of two directories ("." and ".." entries) with their
// clusters, as the search finds them.
class ParameterSearch : public BootSectors {
protected:
    void Directory(uint64_t sector, uint32_t cluster) {
        uint8_t* s = device->Sector(sector);
        std::memcpy(s, ".          ", 11);
        std::memcpy(s + 32, "..         ", 11);
        s[26] = uint8_t(cluster);
        s[27] = uint8_t(cluster >> 8);
        s[20] = uint8_t(cluster >> 16);
        s[21] = uint8_t(cluster >> 24);
    }
};

TEST_F(ParameterSearch, ClusterSizeFromTwoDirectories) {
    device->Sector(32)[0] = 0xF8;
    device->Sector(32)[1] = 0xFF;
    Directory(5000, 10);
    Directory(5064, 18);  // 64 sectors, 8 clusters later
    Select(kFat32, 0, 100000);
    ASSERT_EQ(SearchPartitionParameters(), 1);
    EXPECT_EQ(+PartitionParameters.sectorsPerCluster, 8u);
    EXPECT_EQ(+PartitionParameters.cluster0Sector, 5000u - 80);
    EXPECT_EQ(+PartitionParameters.reservedSectors, 32u);
    EXPECT_EQ(+PartitionParameters.fat1Start, 32u);
    EXPECT_EQ(+PartitionParameters.sectorsPerFat, (5000u - 8 * 8 - 32) / 2);
    EXPECT_EQ(+PartitionParameters.root, 2u);
}

TEST_F(ParameterSearch, UnevenDistancesAreSkipped) {
    Directory(5000, 10);
    Directory(5064, 13);  // 64 sectors for 3 clusters: not a cluster size
    Select(kFat32, 0, 100000);
    EXPECT_EQ(SearchPartitionParameters(), 0);
    EXPECT_EQ(ScanStopFlag, 1);
    EXPECT_EQ(ScanRunning, 0);
}

TEST_F(ParameterSearch, GeometryBeforeTheVolumeIsRejected) {
    // Clusters so high that the first FAT would have to begin before sector 0.
    Directory(100, 90);
    Directory(108, 98);
    Select(kFat32, 0, 100000);
    EXPECT_EQ(SearchPartitionParameters(), 0);
}

TEST_F(ParameterSearch, StopRequestEndsTheSearch) {
    RecordingUi ui;
    SetEngineUi(&ui);
    ScanRunning = 1;
    ScanStopFlag = 1;
    Select(kFat16, 0, 100000);
    EXPECT_EQ(SearchPartitionParameters(), 0);
    EXPECT_EQ(ScanRunning, 0);
    EXPECT_EQ(ScanStopFlag, 1);
    SetEngineUi(nullptr);
    ASSERT_FALSE(ui.statusTexts.empty());
    EXPECT_EQ(ui.statusTexts[0], u"Please wait, calculating partition parameters");
}

TEST_F(ParameterSearch, NtfsIsNeverSearched) {
    Select(kNtfs, 0, 100000);
    EXPECT_EQ(SearchPartitionParameters(), 0);
}

}  // namespace
