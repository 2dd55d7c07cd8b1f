#include "device/image_devices.h"

#include <cstdlib>
#include <memory>

#include "byte_view.h"
#include "device/device.h"
#include "device/drive_queries.h"
#include "device/sector_access.h"

namespace {

constexpr int kMaxDriveNumber = 16;  // the drive numbers the enumeration probes
constexpr uint32_t kHeads = 255;
constexpr uint32_t kSectorsPerTrack = 63;

// Master boot record.
constexpr size_t kPartitionEntries = 446;
constexpr size_t kPartitionEntrySize = 16;
constexpr size_t kBootSignature = 510;

bool loaded = false;
std::vector<ImageDevice>& Devices() {
    static std::vector<ImageDevice> devices;
    return devices;
}

std::string PhysicalDrivePath(int number) {
    return "\\\\.\\PhysicalDrive" + std::to_string(number);
}

std::string VolumePath(char16_t letter) { return std::string("\\\\.\\") + char(letter) + ":"; }

bool ReadSector(SectorDevice& device, uint64_t sector, uint8_t (&bytes)[kSectorSize]) {
    return device.ReadAt(sector * kSectorSize, bytes, kSectorSize) == int64_t(kSectorSize);
}

bool LooksLikeBootSector(const ByteView& sector) {
    uint8_t jump = sector.u8(0);
    return (jump == 0xEB || jump == 0xE9) &&
           (sector.u16(11) == kSectorSize || sector.Matches(3, "EXFAT"));
}

bool IsExtendedPartition(uint8_t type) { return type == 0x05 || type == 0x0F || type == 0x85; }

// The label a FAT boot sector carries; none for other file systems.
std::u16string BootSectorLabel(const ByteView& sector) {
    size_t at = sector.Matches(82, "FAT32") ? 71 : sector.Matches(54, "FAT") ? 43 : 0;
    if (!at) return u"";
    std::u16string label;
    for (size_t i = 0; i < 11; ++i) label.push_back(char16_t(sector.u8(at + i)));
    while (!label.empty() && (label.back() == u' ' || label.back() == 0)) label.pop_back();
    return label == u"NO NAME" ? u"" : label;
}

// The volumes of an image: the primary partitions of its partition table,
// or the whole image when sector 0 is a boot sector or holds no table.
std::vector<ImageVolume> FindVolumes(SectorDevice& device, uint64_t sectors) {
    std::vector<ImageVolume> volumes;
    uint8_t bytes[kSectorSize];
    if (!ReadSector(device, 0, bytes)) return volumes;
    ByteView first(bytes, sizeof bytes);
    bool table = !LooksLikeBootSector(first) && first.u8(kBootSignature) == 0x55 &&
                 first.u8(kBootSignature + 1) == 0xAA;
    for (int i = 0; table && i < 4; ++i) {
        uint8_t flag = first.u8(kPartitionEntries + i * kPartitionEntrySize);
        if (flag != 0 && flag != 0x80) table = false;
    }
    if (table) {
        for (int i = 0; i < 4; ++i) {
            ByteView entry = first.Sub(kPartitionEntries + i * kPartitionEntrySize,
                                       kPartitionEntrySize);
            uint8_t type = entry.u8(4);
            uint64_t start = entry.u32(8), count = entry.u32(12);
            if (!type || IsExtendedPartition(type) || !start || !count || start >= sectors)
                continue;
            if (count > sectors - start) count = sectors - start;
            volumes.push_back({0, start, count, u""});
        }
        if (volumes.empty()) table = false;
    }
    if (!table) volumes.push_back({0, 0, sectors, u""});
    for (ImageVolume& volume : volumes)
        if (ReadSector(device, volume.firstSector, bytes))
            volume.label = BootSectorLabel(ByteView(bytes, sizeof bytes));
    return volumes;
}

void Unmap(const std::vector<ImageDevice>& devices) {
    for (const ImageDevice& device : devices) {
        UnmapDevice(PhysicalDrivePath(device.driveNumber));
        for (const ImageVolume& volume : device.volumes) UnmapDevice(VolumePath(volume.letter));
    }
}

void Load(const std::string& list) {
    Unmap(Devices());
    Devices().clear();
    loaded = true;

    int nextNumber = 0;
    PhysicalDriveDescription unused;
    uint32_t lettersTaken = SystemLogicalDriveMask() | 0x7;  // A:, B: and C: are never given
    char16_t nextLetter = u'D';
    size_t from = 0;
    while (from <= list.size()) {
        size_t end = list.find(kImageListSeparator, from);
        if (end == std::string::npos) end = list.size();
        std::string path = list.substr(from, end - from);
        from = end + 1;
        if (path.empty()) continue;

        std::unique_ptr<SectorDevice> file = OpenPlatformDevice(path);
        if (!file) continue;
        while (nextNumber < kMaxDriveNumber &&
               DescribeSystemPhysicalDrive(nextNumber, unused) != DriveProbe::Absent)
            ++nextNumber;
        if (nextNumber >= kMaxDriveNumber) break;

        ImageDevice device{path, nextNumber++, file->Size(), {}};
        uint64_t sectors = device.bytes / kSectorSize;
        if (sectors) device.volumes = FindVolumes(*file, sectors);
        for (auto volume = device.volumes.begin(); volume != device.volumes.end();) {
            while (nextLetter <= u'Z' && (lettersTaken >> (nextLetter - u'A') & 1)) ++nextLetter;
            if (nextLetter > u'Z') {
                volume = device.volumes.erase(volume);
                continue;
            }
            volume->letter = nextLetter;
            lettersTaken |= 1u << (nextLetter - u'A');
            MapDeviceToImage(VolumePath(volume->letter), path, volume->firstSector * kSectorSize,
                             volume->sectorCount * kSectorSize);
            ++volume;
        }
        MapDeviceToImage(PhysicalDrivePath(device.driveNumber), path);
        Devices().push_back(std::move(device));
    }
}

}  // namespace

const std::vector<ImageDevice>& ImageDevices() {
    if (!loaded) {
        const char* list = std::getenv(kImageDevicesVariable);
        Load(list ? list : "");
    }
    return Devices();
}

void UseImageDevices(const std::string& list) { Load(list); }

const ImageDevice* FindImageDevice(int driveNumber) {
    for (const ImageDevice& device : ImageDevices())
        if (device.driveNumber == driveNumber) return &device;
    return nullptr;
}

const ImageVolume* FindImageVolume(char16_t letter) {
    for (const ImageDevice& device : ImageDevices())
        for (const ImageVolume& volume : device.volumes)
            if (volume.letter == letter) return &volume;
    return nullptr;
}

// Image devices answer first, as the removable USB disks they stand for.

DriveProbe DescribePhysicalDrive(int number, PhysicalDriveDescription& out) {
    const ImageDevice* image = FindImageDevice(number);
    if (!image) return DescribeSystemPhysicalDrive(number, out);
    out = PhysicalDriveDescription();
    // A file gone since the devices were found is a disk unplugged.
    if (!OpenPlatformDevice(image->path)) return DriveProbe::Absent;
    out.removable = true;
    out.busType = kUsbBus;
    out.product = "Disk Image";
    if (image->bytes >= kSectorSize) {
        out.tracksPerCylinder = kHeads;
        out.sectorsPerTrack = kSectorsPerTrack;
        out.cylinders = image->bytes / kSectorSize / (kHeads * kSectorsPerTrack);
    }
    return DriveProbe::Described;
}

bool AnswersSmartIdentify(int number) {
    // USB bridges do not pass identify requests on.
    return !FindImageDevice(number) && SystemAnswersSmartIdentify(number);
}

uint32_t LogicalDriveMask() {
    uint32_t mask = SystemLogicalDriveMask();
    for (const ImageDevice& device : ImageDevices())
        for (const ImageVolume& volume : device.volumes) mask |= 1u << (volume.letter - u'A');
    return mask;
}

bool IsRemovableDrive(char16_t letter) {
    return FindImageVolume(letter) || IsSystemRemovableDrive(letter);
}

bool QueryVolumeBytes(char16_t letter, uint64_t& bytes) {
    const ImageVolume* volume = FindImageVolume(letter);
    if (!volume) return QuerySystemVolumeBytes(letter, bytes);
    bytes = volume->sectorCount * kSectorSize;
    return true;
}

std::u16string QueryVolumeLabel(char16_t letter) {
    const ImageVolume* volume = FindImageVolume(letter);
    return volume ? volume->label : QuerySystemVolumeLabel(letter);
}
