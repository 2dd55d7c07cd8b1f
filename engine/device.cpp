#include "device.h"

#include <map>
#include <mutex>

namespace {

std::mutex mappingLock;
std::map<std::string, std::string>& Mappings() {
    static std::map<std::string, std::string> mappings;
    return mappings;
}

}  // namespace

void MapDeviceToImage(const std::string& devicePath, const std::string& imagePath) {
    std::lock_guard<std::mutex> hold(mappingLock);
    Mappings()[devicePath] = imagePath;
}

void ClearDeviceMappings() {
    std::lock_guard<std::mutex> hold(mappingLock);
    Mappings().clear();
}

std::unique_ptr<SectorDevice> OpenDevice(const std::string& path) {
    std::string target = path;
    {
        std::lock_guard<std::mutex> hold(mappingLock);
        auto found = Mappings().find(path);
        if (found != Mappings().end()) target = found->second;
    }
    return OpenPlatformDevice(target);
}
