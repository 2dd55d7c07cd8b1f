#include "device/sector_access.h"

#include <algorithm>
#include <cstring>
#include <iterator>
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

// Reads count sectors from first on into out (count * 512 bytes): one
// large request, then every sector it missed on its own, so that one bad
// sector does not cost its neighbours. What no attempt reads is zero and
// marked in failed (resized to count).
void ReadDeviceSectors(SectorDevice* device, uint64_t first, uint32_t count, uint8_t* out,
                       int retries, std::vector<bool>& failed) {
    failed.assign(count, false);
    if (!count) return;
    const size_t bytes = size_t(count) * kSectorSize;
    const uint64_t offset = first * kSectorSize;
    const uint64_t size = device->Size();
    if (size && offset >= size) {
        std::memset(out, 0, bytes);
        failed.assign(count, true);
        return;
    }
    size_t want = bytes;
    if (size && size - offset < want) want = size_t(size - offset);
    int64_t got = device->ReadAt(offset, out, want);
    uint32_t whole = got > 0 ? uint32_t(uint64_t(got) / kSectorSize) : 0;
    if (got < 0 || size_t(got) < want) {
        for (uint32_t s = whole; s < count; ++s) {
            uint8_t* at = out + size_t(s) * kSectorSize;
            std::memset(at, 0, kSectorSize);
            bool ok = false;
            uint64_t sectorOffset = offset + uint64_t(s) * kSectorSize;
            if (!size || sectorOffset + kSectorSize <= size) {
                // Each sector gets at least one attempt of its own: the large
                // request was ours, not the caller's.
                int attempts = retries > 0 ? retries : 1;
                for (int attempt = 0; attempt < attempts && !ok; ++attempt)
                    ok = device->ReadAt(sectorOffset, at, kSectorSize) == kSectorSize;
            }
            if (!ok) std::memset(at, 0, kSectorSize);
            failed[s] = !ok;
        }
    }
    // A device without a known size ends where reads stop returning data.
    // A last sector cut short by the end is unreadable: none of its bytes
    // are handed out.
    if (size) {
        const uint64_t sectorsInDevice = size / kSectorSize;
        for (uint32_t s = 0; s < count; ++s) {
            if (first + s < sectorsInDevice) continue;
            failed[s] = true;
            std::memset(out + size_t(s) * kSectorSize, 0, kSectorSize);
        }
    }
}

struct Block {
    uint64_t index;
    uint8_t* bytes;            // kBlockSectors sectors of the cache's memory
    std::vector<bool> failed;  // per sector
};

class SectorCache {
public:
    // The memory stays: it is mapped already, and taking it again costs
    // nothing.
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
                        block.bytes + size_t(inBlock) * kSectorSize,
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
            blocks_.splice(blocks_.begin(), blocks_, std::prev(blocks_.end()));
        } else {
            // One allocation for every block: a fresh one per block, zeroed
            // and given back, cost more than the reads themselves.
            if (!memory_) memory_.reset(new uint8_t[kMaxBlocks * kBlockBytes]);
            uint8_t* bytes = memory_.get() + blocks_.size() * kBlockBytes;
            blocks_.emplace_front();
            blocks_.front().bytes = bytes;
        }
        Block& block = blocks_.front();
        block.index = index;
        ReadDeviceSectors(device_, index * kBlockSectors, kBlockSectors, block.bytes, retries,
                          block.failed);
        byIndex_[index] = blocks_.begin();
        return block;
    }

    static constexpr size_t kBlockBytes = size_t(kBlockSectors) * kSectorSize;

    SectorDevice* device_ = nullptr;
    std::unique_ptr<uint8_t[]> memory_;  // kMaxBlocks blocks, taken in order
    std::list<Block> blocks_;
    std::unordered_map<uint64_t, std::list<Block>::iterator> byIndex_;
};

std::mutex readLock;
SectorCache cache;
std::vector<bool> onceFailed;  // per sector of the last ReadSectorsOnce

// Where a read of the selection goes.
struct ReadTarget {
    SectorDevice* device;
    int retries;
    uint32_t count;
};

ReadTarget VolumeTarget(uint32_t count) {
    // One attempt per sector: volume reads are not retried.
    return {VolumeHandle, 1, count % 65536};
}

ReadTarget SelectedTarget(uint32_t count) {
    if (DriveKind == kLogicalDrive) return VolumeTarget(count);
    return {PhysicalDriveHandle, BadSectorRetries, count};
}

int ReadTargetSectors(const ReadTarget& target, uint32_t sectorLow, uint32_t sectorHigh,
                      void* buffer, bool keep) {
    if (!target.device) {
        LastReadFailedSectors = target.count;
        std::memset(buffer, 0, size_t(target.count) * kSectorSize);
        return 0;
    }
    const uint64_t sector = uint64_t(sectorHigh) << 32 | sectorLow;
    uint8_t* out = static_cast<uint8_t*>(buffer);
    std::lock_guard<std::mutex> hold(readLock);
    bool lastFailed = false;
    if (keep) {
        LastReadFailedSectors = cache.Read(target.device, sector, target.count, out, target.retries,
                                           lastFailed);
    } else {
        ReadDeviceSectors(target.device, sector, target.count, out, target.retries, onceFailed);
        LastReadFailedSectors = uint32_t(std::count(onceFailed.begin(), onceFailed.end(), true));
        lastFailed = !onceFailed.empty() && onceFailed.back();
    }
    return lastFailed ? 0 : 1;
}

}  // namespace

int ReadSectors(int, uint32_t sectorLow, uint32_t sectorHigh, uint32_t count, void* buffer) {
    return ReadTargetSectors(SelectedTarget(count), sectorLow, sectorHigh, buffer, true);
}

int ReadVolumeSectors(uint32_t sectorLow, uint32_t sectorHigh, uint32_t count, void* buffer) {
    return ReadTargetSectors(VolumeTarget(count), sectorLow, sectorHigh, buffer, true);
}

int ReadSectorsOnce(uint32_t sectorLow, uint32_t sectorHigh, uint32_t count, void* buffer) {
    return ReadTargetSectors(SelectedTarget(count), sectorLow, sectorHigh, buffer, false);
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
