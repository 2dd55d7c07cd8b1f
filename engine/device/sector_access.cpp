#include "device/sector_access.h"

#include <cstring>
#include <list>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "settings.h"
#include "volumes/boot_params.h"
#include "text.h"

uint16_t SelectedDriveIndex = 0;
uint16_t DriveKind = kPhysicalDrive;
char DeviceNameTable[10][20] = {
    "\\\\.\\PhysicalDrive0", "\\\\.\\PhysicalDrive1", "\\\\.\\PhysicalDrive2",
    "\\\\.\\PhysicalDrive3", "\\\\.\\PhysicalDrive4", "\\\\.\\PhysicalDrive5",
    "\\\\.\\PhysicalDrive6", "\\\\.\\PhysicalDrive7", "\\\\.\\PhysicalDrive8",
    "\\\\.\\PhysicalDrive9"};
std::u16string SelectedDevicePath;

SectorDevice* PhysicalDriveHandle = nullptr;
SectorDevice* VolumeHandle = nullptr;
uint32_t LastReadFailedSectors = 0;

namespace {

std::unique_ptr<SectorDevice> physicalDrive;
std::unique_ptr<SectorDevice> volume;

// Reads are served from blocks of consecutive sectors read in one request,
// so the scans never ask the device twice for a sector still in memory.
constexpr uint32_t kBlockSectors = 256;
constexpr size_t kMaxBlocks = 256;  // 32 MiB

struct Block {
    uint64_t index;
    std::vector<uint8_t> bytes;
    std::vector<bool> failed;  // per sector
};

class SectorCache {
public:
    void Clear() {
        blocks_.clear();
        byIndex_.clear();
        device_ = nullptr;
    }

    // Copies count sectors from first on into out; returns how many failed,
    // and whether the last one did.
    uint32_t Read(SectorDevice* device, uint64_t first, uint32_t count, uint8_t* out,
                  int retries, bool& lastFailed) {
        if (device != device_) {
            Clear();
            device_ = device;
        }
        uint32_t failedCount = 0;
        lastFailed = false;
        for (uint32_t done = 0; done < count;) {
            uint64_t sector = first + done;
            Block& block = Get(sector / kBlockSectors, retries);
            uint32_t inBlock = uint32_t(sector % kBlockSectors);
            uint32_t take = kBlockSectors - inBlock;
            if (take > count - done) take = count - done;
            std::memcpy(out + size_t(done) * kSectorSize,
                        block.bytes.data() + size_t(inBlock) * kSectorSize,
                        size_t(take) * kSectorSize);
            for (uint32_t i = 0; i < take; ++i) {
                bool bad = block.failed[inBlock + i];
                failedCount += bad;
                lastFailed = bad;
            }
            done += take;
        }
        return failedCount;
    }

private:
    Block& Get(uint64_t index, int retries) {
        auto found = byIndex_.find(index);
        if (found != byIndex_.end()) {
            blocks_.splice(blocks_.begin(), blocks_, found->second);
            return *found->second;
        }
        if (blocks_.size() >= kMaxBlocks) {
            byIndex_.erase(blocks_.back().index);
            blocks_.pop_back();
        }
        blocks_.emplace_front();
        Block& block = blocks_.front();
        block.index = index;
        Fill(block, retries);
        byIndex_[index] = blocks_.begin();
        return block;
    }

    void Fill(Block& block, int retries) {
        block.bytes.assign(size_t(kBlockSectors) * kSectorSize, 0);
        block.failed.assign(kBlockSectors, false);
        uint64_t offset = block.index * kBlockSectors * kSectorSize;
        uint64_t size = device_->Size();
        size_t want = block.bytes.size();
        if (size && offset >= size) {
            block.failed.assign(kBlockSectors, true);
            return;
        }
        if (size && size - offset < want) want = size_t(size - offset);
        int64_t got = device_->ReadAt(offset, block.bytes.data(), want);
        uint32_t whole = got > 0 ? uint32_t(uint64_t(got) / kSectorSize) : 0;
        if (got < 0 || size_t(got) < want) {
            // Sector by sector, so that one bad sector does not cost its
            // neighbours; what no attempt reads stays zero.
            for (uint32_t s = whole; s < kBlockSectors; ++s) {
                uint8_t* at = block.bytes.data() + size_t(s) * kSectorSize;
                std::memset(at, 0, kSectorSize);
                bool ok = false;
                uint64_t sectorOffset = offset + uint64_t(s) * kSectorSize;
                if (!size || sectorOffset + kSectorSize <= size) {
                    // The block is our own request, not the caller's: each of
                    // its sectors gets at least one attempt of its own.
                    int attempts = retries > 0 ? retries : 1;
                    for (int attempt = 0; attempt < attempts && !ok; ++attempt)
                        ok = device_->ReadAt(sectorOffset, at, kSectorSize) == kSectorSize;
                }
                if (!ok) std::memset(at, 0, kSectorSize);
                block.failed[s] = !ok;
            }
        }
        // A device without a known size ends where reads stop returning data.
        // A last sector cut short by the end is unreadable: none of its
        // bytes are handed out.
        if (size) {
            uint64_t sectorsInDevice = size / kSectorSize;
            for (uint32_t s = 0; s < kBlockSectors; ++s) {
                if (block.index * kBlockSectors + s < sectorsInDevice) continue;
                block.failed[s] = true;
                std::memset(block.bytes.data() + size_t(s) * kSectorSize, 0, kSectorSize);
            }
        }
    }

    SectorDevice* device_ = nullptr;
    std::list<Block> blocks_;
    std::unordered_map<uint64_t, std::list<Block>::iterator> byIndex_;
};

std::mutex readLock;
SectorCache cache;

int ReadThroughCache(SectorDevice* device, uint64_t sector, uint32_t count, void* buffer,
                     int retries) {
    std::lock_guard<std::mutex> hold(readLock);
    bool lastFailed = false;
    LastReadFailedSectors =
        cache.Read(device, sector, count, static_cast<uint8_t*>(buffer), retries, lastFailed);
    return lastFailed ? 0 : 1;
}

}  // namespace

int ReadSectors(int, uint32_t sectorLow, uint32_t sectorHigh, uint32_t count, void* buffer) {
    if (DriveKind == kLogicalDrive) return ReadVolumeSectors(sectorLow, sectorHigh, count, buffer);
    if (!PhysicalDriveHandle) {
        LastReadFailedSectors = count;
        std::memset(buffer, 0, size_t(count) * kSectorSize);
        return 0;
    }
    uint64_t sector = uint64_t(sectorHigh) << 32 | sectorLow;
    return ReadThroughCache(PhysicalDriveHandle, sector, count, buffer, BadSectorRetries);
}

int ReadVolumeSectors(uint32_t sectorLow, uint32_t sectorHigh, uint32_t count, void* buffer) {
    count %= 65536;
    if (!VolumeHandle) {
        LastReadFailedSectors = count;
        std::memset(buffer, 0, size_t(count) * kSectorSize);
        return 0;
    }
    uint64_t sector = uint64_t(sectorHigh) << 32 | sectorLow;
    // One attempt per sector: volume reads are not retried.
    return ReadThroughCache(VolumeHandle, sector, count, buffer, 1);
}

SectorDevice* OpenPhysicalDrive() {
    std::lock_guard<std::mutex> hold(readLock);
    cache.Clear();
    physicalDrive.reset();
    PhysicalDriveHandle = nullptr;
    const char* slot = DeviceNameTable[SelectedDriveIndex % 10];
    physicalDrive = OpenDevice(std::string(slot, strnlen(slot, sizeof DeviceNameTable[0])));
    PhysicalDriveHandle = physicalDrive.get();
    return PhysicalDriveHandle;
}

SectorDevice* AdoptPhysicalDrive(std::unique_ptr<SectorDevice> device) {
    std::lock_guard<std::mutex> hold(readLock);
    cache.Clear();
    physicalDrive = std::move(device);
    PhysicalDriveHandle = physicalDrive.get();
    return PhysicalDriveHandle;
}

bool OpenVolume(const std::u16string& volumePath) {
    std::lock_guard<std::mutex> hold(readLock);
    cache.Clear();
    volume.reset();
    VolumeHandle = nullptr;
    volume = OpenDevice(Utf16ToUtf8(volumePath));
    VolumeHandle = volume.get();
    return VolumeHandle != nullptr;
}

int ReadBootSector(const std::u16string& volumePath, void* buffer) {
    if (!OpenVolume(volumePath)) return 0;
    int read = ReadVolumeSectors(0, 0, 1, buffer);
    CloseVolume();
    return read;
}

void ClosePhysicalDrive() {
    std::lock_guard<std::mutex> hold(readLock);
    cache.Clear();
    physicalDrive.reset();
    PhysicalDriveHandle = nullptr;
}

void CloseVolume() {
    std::lock_guard<std::mutex> hold(readLock);
    cache.Clear();
    volume.reset();
    VolumeHandle = nullptr;
}

uint64_t SelectedDeviceSectors() {
    SectorDevice* device = DriveKind == kLogicalDrive ? VolumeHandle : PhysicalDriveHandle;
    return device ? device->Size() / kSectorSize : 0;
}

uint64_t ScannedRangeEnd() {
    const PartitionParametersRecord& p = PartitionParameters;
    if (p.sectorCount) return uint64_t(p.startSector) + p.sectorCount;
    return SelectedDeviceSectors();
}

void ClearSectorCache() {
    std::lock_guard<std::mutex> hold(readLock);
    cache.Clear();
}
