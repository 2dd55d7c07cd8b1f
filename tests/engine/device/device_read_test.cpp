// The platform's device reads count what they got: past the end Windows (and
// Wine on an image) reports success with 0 bytes, and a read across the end
// returns only the part before it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/device.h"
#include "engine_state.h"
#include "device/sector_access.h"
#include "test_images.h"

namespace {

// A file of 3 sectors and 100 bytes; byte i holds i % 251.
std::string ShortImage() {
    std::string path = TemporaryFolder() + "/short.img";
    std::vector<uint8_t> bytes(3 * 512 + 100);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i % 251);
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        EXPECT_NE(f, nullptr);
        if (f) {
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
    }
    return path;
}

TEST(PlatformDeviceRead, CountsTheBytesReadAtAndPastTheEnd) {
    std::unique_ptr<SectorDevice> device = OpenPlatformDevice(ShortImage());
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->Size(), 3u * 512 + 100);
    std::vector<uint8_t> buffer(1024, 0xEE);

    struct Case {
        uint64_t offset;
        size_t bytes;
        int64_t got;
    };
    const Case cases[] = {
        {0, 512, 512},             // inside
        {3 * 512, 512, 100},       // across the end
        {3 * 512 + 100, 512, 0},   // at the end
        {1 << 20, 512, 0},         // far past it
        {0x100000000ull, 512, 0},  // past 4 GiB: the seek is 64-bit
    };
    for (const Case& c : cases) {
        EXPECT_EQ(device->ReadAt(c.offset, buffer.data(), c.bytes), c.got) << c.offset;
    }
    ASSERT_EQ(device->ReadAt(3 * 512, buffer.data(), 512), 100);
    EXPECT_EQ(buffer[0], uint8_t((3 * 512) % 251));
    EXPECT_EQ(buffer[99], uint8_t((3 * 512 + 99) % 251));
}

TEST(PlatformDeviceRead, SectorsPastTheEndFailAndAreZeroFilled) {
    ResetEngineState();
    ASSERT_NE(AdoptPhysicalDrive(OpenPlatformDevice(ShortImage())), nullptr);
    std::vector<uint8_t> buffer(4 * 512, 0xEE);
    // The fourth sector is only 100 bytes long: it counts as unreadable.
    EXPECT_EQ(ReadSectors(0, 0, 0, 4, buffer.data()), 0);
    EXPECT_EQ(LastReadFailedSectors, 1u);
    EXPECT_EQ(buffer[3 * 512 - 1], uint8_t((3 * 512 - 1) % 251));
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin() + 3 * 512, buffer.end()),
              std::vector<uint8_t>(512, 0));
    EXPECT_EQ(ReadSectors(0, 10, 0, 1, buffer.data()), 0);
    EXPECT_EQ(ReadSectors(0, 1, 0, 2, buffer.data()), 1);
    ClosePhysicalDrive();
}

}  // namespace
