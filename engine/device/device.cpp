#include "device/device.h"

#include <map>
#include <mutex>

namespace {

struct Mapping {
    std::string imagePath;
    uint64_t firstByte;
    uint64_t byteCount;  // 0: to the end of the file
};

std::mutex mappingLock;
std::map<std::string, Mapping>& Mappings() {
    static std::map<std::string, Mapping> mappings;
    return mappings;
}

// A volume inside a disk image: reads stop at the volume's end as they would
// on the volume's own handle.
class WindowDevice : public SectorDevice {
public:
    WindowDevice(std::unique_ptr<SectorDevice> whole, uint64_t firstByte, uint64_t byteCount)
        : whole_(std::move(whole)), first_(firstByte), size_(byteCount) {
        uint64_t wholeSize = whole_->Size();
        if (wholeSize && first_ >= wholeSize) size_ = 0;
        else if (wholeSize && size_ > wholeSize - first_) size_ = wholeSize - first_;
    }

    uint64_t Size() const override { return size_; }

    int64_t ReadAt(uint64_t offset, void* buffer, size_t bytes) override {
        if (offset >= size_) return 0;
        if (bytes > size_ - offset) bytes = size_t(size_ - offset);
        return whole_->ReadAt(first_ + offset, buffer, bytes);
    }

private:
    std::unique_ptr<SectorDevice> whole_;
    uint64_t first_;
    uint64_t size_;
};

}  // namespace

void MapDeviceToImage(const std::string& devicePath, const std::string& imagePath,
                      uint64_t firstByte, uint64_t byteCount) {
    std::lock_guard<std::mutex> hold(mappingLock);
    Mappings()[devicePath] = {imagePath, firstByte, byteCount};
}

void UnmapDevice(const std::string& devicePath) {
    std::lock_guard<std::mutex> hold(mappingLock);
    Mappings().erase(devicePath);
}

void ClearDeviceMappings() {
    std::lock_guard<std::mutex> hold(mappingLock);
    Mappings().clear();
}

std::unique_ptr<SectorDevice> OpenDevice(const std::string& path) {
    Mapping mapping{path, 0, 0};
    {
        std::lock_guard<std::mutex> hold(mappingLock);
        auto found = Mappings().find(path);
        if (found != Mappings().end()) mapping = found->second;
    }
    std::unique_ptr<SectorDevice> device = OpenPlatformDevice(mapping.imagePath);
    if (!device || !mapping.byteCount) return device;
    return std::unique_ptr<SectorDevice>(
        new WindowDevice(std::move(device), mapping.firstByte, mapping.byteCount));
}
