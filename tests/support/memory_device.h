// A device held in memory, with sectors that fail to read and an optional
// gate that holds a reader at a chosen sector.
#pragma once

#include <condition_variable>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "device/device.h"
#include "device/sector_access.h"

class MemoryDevice : public SectorDevice {
public:
    explicit MemoryDevice(size_t sectors) : bytes(sectors * kSectorSize, 0) {}

    std::vector<uint8_t> bytes;
    std::set<uint64_t> badSectors;       // every read touching one fails
    std::map<uint64_t, int> flakySectors;  // fail this many attempts, then read
    int reads = 0;

    uint8_t* Sector(uint64_t n) { return bytes.data() + n * kSectorSize; }
    void Put16(uint64_t offset, uint16_t v) { std::memcpy(&bytes[offset], &v, 2); }
    void Put32(uint64_t offset, uint32_t v) { std::memcpy(&bytes[offset], &v, 4); }
    void Put64(uint64_t offset, uint64_t v) { std::memcpy(&bytes[offset], &v, 8); }

    // The 0x55 0xAA that ends a boot sector.
    void PutBootSignature(uint64_t sector) {
        Sector(sector)[510] = 0x55;
        Sector(sector)[511] = 0xAA;
    }
    // An NTFS boot sector: cluster size, total sectors, the clusters of $MFT
    // and $MFTMirr, and the index record size code.
    void PutNtfsBoot(uint64_t sector, uint8_t sectorsPerCluster, uint64_t totalSectors,
                     uint32_t mftCluster, uint32_t mirrorCluster, uint32_t perIndexRecord) {
        const uint64_t at = sector * kSectorSize;
        std::memcpy(Sector(sector) + 3, "NTFS    ", 8);
        Sector(sector)[13] = sectorsPerCluster;
        Put64(at + 40, totalSectors);
        Put32(at + 48, mftCluster);
        Put32(at + 56, mirrorCluster);
        Put32(at + 68, perIndexRecord);
        PutBootSignature(sector);
    }

    // Holds the reader that makes read number `readsBefore` + 1 from now
    // until Release().
    void GateAfter(int readsBefore) {
        std::lock_guard<std::mutex> hold(lock_);
        gate_ = reads + readsBefore;
        gated_ = true;
        waiting_ = false;
    }
    void WaitUntilHeld() {
        std::unique_lock<std::mutex> hold(lock_);
        changed_.wait(hold, [this] { return waiting_; });
    }
    void Release() {
        std::lock_guard<std::mutex> hold(lock_);
        gated_ = false;
        changed_.notify_all();
    }

    uint64_t Size() const override { return bytes.size(); }

    int64_t ReadAt(uint64_t offset, void* buffer, size_t count) override {
        {
            std::unique_lock<std::mutex> hold(lock_);
            uint64_t first = offset / kSectorSize, last = (offset + count - 1) / kSectorSize;
            int number = reads++;
            if (gated_ && number == gate_) {
                waiting_ = true;
                changed_.notify_all();
                changed_.wait(hold, [this] { return !gated_; });
            }
            for (uint64_t s = first; s <= last; ++s) {
                if (badSectors.count(s)) return -1;
                auto flaky = flakySectors.find(s);
                if (flaky != flakySectors.end() && flaky->second > 0) {
                    --flaky->second;
                    return -1;
                }
            }
        }
        if (offset >= bytes.size()) return 0;
        size_t take = count;
        if (take > bytes.size() - offset) take = size_t(bytes.size() - offset);
        std::memcpy(buffer, bytes.data() + offset, take);
        return int64_t(take);
    }

private:
    std::mutex lock_;
    std::condition_variable changed_;
    int gate_ = 0;
    bool gated_ = false;
    bool waiting_ = false;
};

// Opens a device of that many zeroed sectors as the engine's physical drive,
// which owns it until ClosePhysicalDrive(); the device stays writable.
inline MemoryDevice* AdoptMemoryDevice(size_t sectors) {
    auto owned = std::make_unique<MemoryDevice>(sectors);
    MemoryDevice* device = owned.get();
    AdoptPhysicalDrive(std::move(owned));
    return device;
}

// Opens a device holding these bytes, zero-padded to whole sectors (at least
// one), as the engine's physical drive: the fuzz targets' input is the disk.
inline MemoryDevice* AdoptMemoryDevice(const uint8_t* data, size_t size) {
    size_t sectors = (size + kSectorSize - 1) / kSectorSize;
    MemoryDevice* device = AdoptMemoryDevice(sectors ? sectors : 1);
    if (size) std::memcpy(device->bytes.data(), data, size);
    return device;
}
