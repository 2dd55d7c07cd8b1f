// Reading sectors: failures are zero-filled and counted, the device end clips.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "settings.h"
#include "memory_device_test.h"
#include "device/sector_access.h"

namespace {

class SectorReads : public MemoryDeviceTest {
protected:
    void SetUp() override { OpenNumberedDevice(); }
    // A fresh engine and device, each sector filled with its Mark.
    void OpenNumberedDevice() {
        OpenMemoryDevice(1000);
        for (size_t i = 0; i < device->bytes.size(); ++i) device->bytes[i] = uint8_t(1 + i / 512 % 250);
    }
    // A buffer full of what an earlier read might have left.
    static std::vector<uint8_t> Stale(uint32_t sectors) { return std::vector<uint8_t>(sectors * 512, 0xEE); }
    uint8_t Mark(uint32_t sector) { return uint8_t(1 + sector % 250); }
};

TEST_F(SectorReads, UnreadableSectorInsideTheRangeIsZeroedAndCounted) {
    device->badSectors.insert(149);
    auto buffer = Stale(100);
    EXPECT_EQ(ReadSectors(0, 100, 0, 100, buffer.data()), 1);
    EXPECT_EQ(LastReadFailedSectors, 1u);
    for (uint32_t s = 0; s < 100; ++s)
        EXPECT_EQ(buffer[s * 512 + 7], s == 49 ? 0 : Mark(100 + s)) << "sector " << s;
}

TEST_F(SectorReads, UnreadableLastSectorFailsTheCall) {
    device->badSectors.insert(199);
    auto buffer = Stale(100);
    EXPECT_EQ(ReadSectors(0, 100, 0, 100, buffer.data()), 0);
    EXPECT_EQ(LastReadFailedSectors, 1u);
    EXPECT_EQ(buffer[98 * 512], Mark(198));
    EXPECT_EQ(buffer[99 * 512], 0);
}

TEST_F(SectorReads, RetriesReadASectorThatFailsAtFirst) {
    device->flakySectors[300] = 2;
    auto buffer = Stale(4);
    EXPECT_EQ(ReadSectors(0, 298, 0, 4, buffer.data()), 1);
    EXPECT_EQ(LastReadFailedSectors, 0u);
    EXPECT_EQ(buffer[2 * 512], Mark(300));
}

TEST_F(SectorReads, WithoutRetriesOnlyTheFailedSectorIsLost) {
    BadSectorRetries = 0;
    device->flakySectors[300] = 2;  // the block's read and the sector's one attempt
    auto buffer = Stale(4);
    EXPECT_EQ(ReadSectors(0, 298, 0, 4, buffer.data()), 1);
    EXPECT_EQ(LastReadFailedSectors, 1u);
    EXPECT_EQ(buffer[2 * 512], 0);
}

TEST_F(SectorReads, ReadsPastTheEndAreClippedAndFail) {
    auto buffer = Stale(10);
    EXPECT_EQ(ReadSectors(0, 995, 0, 10, buffer.data()), 0);
    EXPECT_EQ(LastReadFailedSectors, 5u);
    EXPECT_EQ(buffer[4 * 512], Mark(999));
    EXPECT_EQ(buffer[5 * 512], 0);
    EXPECT_EQ(ReadSectors(0, 0, 1, 1, buffer.data()), 0);  // far past the end
}

TEST_F(SectorReads, SectorsInMemoryAreNotReadAgain) {
    auto buffer = Stale(1);
    for (uint32_t s = 0; s < 200; ++s) ReadSectors(0, s, 0, 1, buffer.data());
    int reads = device->reads;
    for (uint32_t s = 0; s < 200; ++s) ReadSectors(0, s, 0, 1, buffer.data());
    EXPECT_EQ(device->reads, reads);
    EXPECT_LE(reads, 2);
}

TEST_F(SectorReads, NoOpenDeviceFailsWithZeroes) {
    ClosePhysicalDrive();
    auto buffer = Stale(2);
    EXPECT_EQ(ReadSectors(0, 0, 0, 2, buffer.data()), 0);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1023], 0);
}

TEST_F(SectorReads, LogicalDriveReadsGoToTheVolume) {
    DriveKind = kLogicalDrive;
    auto buffer = Stale(1);
    EXPECT_EQ(ReadSectors(0, 5, 0, 1, buffer.data()), 0);  // no volume is open
    DriveKind = kPhysicalDrive;
    EXPECT_EQ(ReadSectors(0, 5, 0, 1, buffer.data()), 1);
}

// A read that keeps nothing gives what a read through the kept blocks gives,
// failures and retries included, though its requests are not the blocks'.
TEST_F(SectorReads, ReadingOnceGivesWhatReadingThroughTheCacheGives) {
    struct Case {
        const char* name;
        uint32_t first, high, count;
        void (*prepare)(MemoryDevice&);
    };
    const Case cases[] = {
        {"all readable", 250, 0, 300, [](MemoryDevice&) {}},
        {"bad sector inside", 100, 0, 100, [](MemoryDevice& d) { d.badSectors = {149}; }},
        {"bad last sector", 100, 0, 100, [](MemoryDevice& d) { d.badSectors = {199}; }},
        {"bad sectors across blocks", 200, 0, 400, [](MemoryDevice& d) { d.badSectors = {255, 256, 599}; }},
        {"flaky sector retried", 298, 0, 4, [](MemoryDevice& d) { d.flakySectors[300] = 2; }},
        {"flaky sector without retries", 298, 0, 4,
         [](MemoryDevice& d) {
             d.flakySectors[300] = 2;
             BadSectorRetries = 0;
         }},
        {"past the end", 995, 0, 10, [](MemoryDevice&) {}},
        {"far past the end", 0, 1, 2, [](MemoryDevice&) {}},
        {"no device", 0, 0, 2, [](MemoryDevice&) { ClosePhysicalDrive(); }},
        {"no volume", 0, 0, 2, [](MemoryDevice&) { DriveKind = kLogicalDrive; }},
    };
    for (const Case& c : cases) {
        struct Outcome {
            int result;
            uint32_t failed;
            std::vector<uint8_t> bytes;
        } outcome[2];
        for (int once = 0; once < 2; ++once) {
            OpenNumberedDevice();
            c.prepare(*device);
            Outcome& o = outcome[once];
            o.bytes = Stale(c.count);
            o.result = once ? ReadSectorsOnce(c.first, c.high, c.count, o.bytes.data())
                            : ReadSectors(0, c.first, c.high, c.count, o.bytes.data());
            o.failed = LastReadFailedSectors;
        }
        EXPECT_EQ(outcome[0].result, outcome[1].result) << c.name;
        EXPECT_EQ(outcome[0].failed, outcome[1].failed) << c.name;
        EXPECT_TRUE(outcome[0].bytes == outcome[1].bytes) << c.name;
    }
}

TEST_F(SectorReads, ReadingOnceAsksTheDeviceAndLeavesTheKeptSectors) {
    auto buffer = Stale(200);
    ReadSectors(0, 0, 0, 200, buffer.data());
    const int kept = device->reads;
    ReadSectorsOnce(0, 0, 200, buffer.data());
    EXPECT_EQ(buffer[150 * 512], Mark(150));
    EXPECT_EQ(device->reads, kept + 1);
    ReadSectors(0, 0, 0, 200, buffer.data());
    EXPECT_EQ(device->reads, kept + 1) << "the kept blocks are still there";
}

}  // namespace
