// The drive page's enumeration over image devices: disk images presented as
// removable USB disks beside whatever the system reports (under Wine a fixed
// "\\.\PhysicalDrive0"), their tables, the drive-tree paths, and scans through
// "\\.\PhysicalDrive<n>" and through a drive letter.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "device/device.h"
#include "found_lists.h"
#include "settings.h"
#include "volumes/boot_params.h"
#include "volumes/partition_table.h"
#include "engine_state.h"
#include "device/image_devices.h"
#include "image_scan.h"
#include "device/logical_drives.h"
#include "device/physical_drives.h"
#include "recovery_run.h"
#include "device/sector_access.h"
#include "standard_scan.h"
#include "test_images.h"
#include "text.h"

namespace {

const char* const kNoMedium = "Media missing or not inserted";

std::string List(const std::vector<std::string>& paths) {
    std::string list;
    for (const std::string& path : paths) {
        if (!list.empty()) list += kImageListSeparator;
        list += path;
    }
    return list;
}

class DriveEnumeration : public testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override {
        SetEngineUi(nullptr);
        UseImageDevices("");
        ClosePhysicalDrive();
        CloseVolume();
        ResetEngineState();
    }

    // Enumerates physical and logical drives as the drive page does.
    void Enumerate(const std::vector<std::string>& images) {
        UseImageDevices(List(images));
        SetEngineUi(&ui);
        EnumeratePhysicalDrives();
        EnumerateLogicalDrives();
        SetEngineUi(nullptr);
    }

    // The slot holding an image device, or -1.
    int SlotOf(const std::string& image) const {
        for (int slot = 0; slot < PhysicalSlotCount; ++slot) {
            const ImageDevice* device = FindImageDevice(PhysicalDriveTable[slot].driveNumber);
            if (device && device->path == image) return slot;
        }
        return -1;
    }

    int LogicalIndexOf(char16_t letter) const {
        for (int i = 0; i < LogicalDriveCount; ++i)
            if (LogicalDriveTable[i].rootPath[0] == letter) return i;
        return -1;
    }

    char16_t LetterOf(const std::string& image, size_t volume = 0) const {
        for (const ImageDevice& device : ImageDevices())
            if (device.path == image && volume < device.volumes.size())
                return device.volumes[volume].letter;
        return 0;
    }

    // Selects the FAT32 partition at sector 2048 of an image device through
    // "\\.\PhysicalDrive<n>", as the drive page does.
    bool SelectFat32Partition(const std::string& image) {
        SelectedDriveIndex = uint16_t(SlotOf(image));
        DriveKind = kPhysicalDrive;
        if (!OpenPhysicalDrive()) return false;
        PartitionParameters.chosenType = kFat32;
        PartitionParameters.startSector = 2048;
        PartitionParameters.sectorCount = 131072;
        PartitionParameters.endSector = 2048 + 131072 - 1;
        return true;
    }

    // Selects an image device's first volume by its drive letter.
    bool SelectDriveLetterOf(const std::string& image) {
        FreeStandardScanLists();
        int index = LogicalIndexOf(LetterOf(image));
        if (index < 0) return false;
        DriveKind = kLogicalDrive;
        PartitionParameters = {};
        PartitionParameters.logicalDriveIndex = uint16_t(index);
        PartitionParameters.chosenType = LogicalDriveTable[index].type;
        PartitionParameters.sectorCount = uint32_t(LogicalDriveTable[index].size);
        PartitionParameters.endSector = PartitionParameters.sectorCount - 1;
        return true;
    }

    RecordingUi ui;
};

std::set<std::u16string> Lines(const std::vector<FoundItem>& items) {
    std::set<std::u16string> lines;
    for (const FoundItem& item : items) lines.insert(FoundItemLine(item));
    return lines;
}

std::set<std::u16string> ScanSelection() {
    RecordingUi ui;
    SetEngineUi(&ui);
    int ran = StandardScanThread();
    SetEngineUi(nullptr);
    EXPECT_EQ(ran, 1);
    return Lines(CollectFoundItems(ui));
}

TEST_F(DriveEnumeration, ImageDevicesAppearAsRemovableUsbDisksWithTheirVolumes) {
    const std::string empty = ImagePath("usb_empty"), fat32 = ImagePath("usb_fat32_mbr"),
                      fat16 = ImagePath("usb_fat16_whole"), fat12 = ImagePath("usb_fat12"),
                      exfat = ImagePath("usb_exfat");
    DuplicatePolicy = 3;
    BadSectorRetries = 0;
    Enumerate({empty, fat32, fat16, TemporaryFolder() + "/missing.img", TemporaryFolder(),
               fat12, exfat});
    EXPECT_EQ(DuplicatePolicy, 1);
    EXPECT_EQ(BadSectorRetries, 3);
    EXPECT_EQ(SectorsPerRead, 60);

    // The missing file and the folder are left out.
    ASSERT_EQ(ImageDevices().size(), 5u);

    // The system's own drives come first; none of them is a removable USB disk here.
    const int systemSlots = SlotOf(empty);
    ASSERT_GE(systemSlots, 0);
    EXPECT_EQ(PhysicalSlotCount, systemSlots + 5);

    struct Expected {
        std::string image;
        uint64_t bytes;
    };
    for (const Expected& e : {Expected{fat32, 68157440}, Expected{fat16, 16777216},
                              Expected{fat12, 8388608}, Expected{exfat, 17825792}}) {
        SCOPED_TRACE(e.image);
        int slot = SlotOf(e.image);
        ASSERT_GE(slot, 0);
        const PhysicalDriveEntry& d = PhysicalDriveTable[slot];
        EXPECT_EQ(d.removable, 1);
        EXPECT_STREQ(d.model, "USB Device");
        EXPECT_EQ(d.tracksPerCylinder, 255);
        EXPECT_EQ(d.sectorsPerTrack, 63);
        EXPECT_EQ(uint64_t(d.cylinders), e.bytes / 512 / (255 * 63));
        EXPECT_EQ(d.totalSectors, uint64_t(d.cylinders) * 255 * 63);
        EXPECT_EQ(std::string(DeviceNameTable[slot]),
                  "\\\\.\\PhysicalDrive" + std::to_string(d.driveNumber));
    }
    // A reader without medium takes a slot but is not offered.
    EXPECT_STREQ(PhysicalDriveTable[systemSlots].model, kNoMedium);
    EXPECT_EQ(PhysicalDriveCount, systemSlots + 4);

    struct Volume {
        char16_t letter;
        uint16_t type;
        uint64_t sectors;
        uint16_t sectorsPerCluster;
        std::u16string label;
    };
    const Volume volumes[] = {
        {LetterOf(fat32), kFat32, 131072, 1, u"MULVARA"},
        {LetterOf(fat16), kFat16, 32768, 1, u"MULVARA"},
        {LetterOf(fat12), kUnreadableVolume, 16384, 4, u"TWELVE"},
        {LetterOf(exfat), kUnreadableVolume, 32768, 0, u""},
    };
    for (const Volume& v : volumes) {
        SCOPED_TRACE(Narrow(std::u16string(1, v.letter)));
        int i = LogicalIndexOf(v.letter);
        ASSERT_GE(i, 0);
        const LogicalDriveEntry& entry = LogicalDriveTable[i];
        EXPECT_EQ(entry.rootPath, std::u16string({v.letter, u':', u'\\'}));
        EXPECT_EQ(entry.type, v.type);
        EXPECT_EQ(entry.size, v.sectors);
        EXPECT_EQ(entry.sectorsPerCluster, v.sectorsPerCluster);
        EXPECT_EQ(entry.volumeLabel, v.label);
        EXPECT_EQ(PartitionTable[i].fileSystemType, v.type);
        EXPECT_EQ(PartitionTable[i].sectorCount, uint32_t(v.sectors));
    }

    std::vector<std::pair<std::string, int>> expectedPaths;
    for (const std::string& image : {fat32, fat16, fat12, exfat})
        expectedPaths.push_back({"My Computer\\Physical Devices\\Hard Disk " +
                                     std::to_string(SlotOf(image)) + " \\",
                                 SlotOf(image)});
    // Only FAT32 volumes are offered by letter.
    expectedPaths.push_back({"My Computer\\Logical Devices\\Logical Drives " +
                                 Narrow(std::u16string(1, LetterOf(fat32))) + ": \\",
                             LogicalIndexOf(LetterOf(fat32))});
    std::vector<std::pair<std::string, int>> paths;
    for (const RecordingUi::DrivePath& p : ui.drivePaths) paths.push_back({p.path, p.drive});
    EXPECT_EQ(paths, expectedPaths);
    EXPECT_EQ(ui.driveTreeExpands, 2);
}

TEST_F(DriveEnumeration, WithoutImageDevicesOnlyTheSystemsDrivesAreSeen) {
    Enumerate({});
    EXPECT_TRUE(ImageDevices().empty());
    for (int slot = 0; slot < PhysicalSlotCount; ++slot)
        EXPECT_EQ(FindImageDevice(PhysicalDriveTable[slot].driveNumber), nullptr);
    // No removable USB disk exists on the machines that run these tests.
    for (const RecordingUi::DrivePath& p : ui.drivePaths)
        EXPECT_EQ(p.path.find("Physical Devices"), std::string::npos) << p.path;
}

TEST_F(DriveEnumeration, VolumeWhoseBootSectorCannotBeReadIsNotOfferedAsFat32) {
    // The second volume's file disappears after the devices were found: its
    // boot sector cannot be read, and the first volume's must not stand in.
    std::string first = CopyOfImage("usb_fat32_mbr");
    std::string second = TemporaryFolder() + "/second.img";
    std::filesystem::copy_file(first, second);
    UseImageDevices(List({first, second}));
    char16_t gone = LetterOf(second);
    ASSERT_NE(gone, 0);
    std::filesystem::remove(second);

    SetEngineUi(&ui);
    EnumerateLogicalDrives();
    SetEngineUi(nullptr);
    int i = LogicalIndexOf(gone);
    ASSERT_GE(i, 0);
    EXPECT_EQ(LogicalDriveTable[i].type, kUnreadableVolume);
    EXPECT_EQ(LogicalDriveTable[i].sectorsPerCluster, 0);
    EXPECT_EQ(LogicalDriveTable[LogicalIndexOf(LetterOf(first))].type, kFat32);
    ASSERT_EQ(ui.drivePaths.size(), 1u);
    EXPECT_NE(ui.drivePaths[0].path.find(Narrow(std::u16string(1, LetterOf(first))) + ": "),
              std::string::npos);
}

TEST_F(DriveEnumeration, SlotAfterAMissingDriveOpensTheDriveItDescribes) {
    // The middle disk is unplugged after the devices were found: the third
    // disk's drive number is one more than its slot, and the slot must still
    // read that disk.
    std::string folder = TemporaryFolder();
    std::vector<std::string> disks = {folder + "/a.img", folder + "/b.img", folder + "/c.img"};
    const char* sources[] = {"usb_fat16_whole", "usb_fat16_whole", "usb_fat32_mbr"};
    for (int i = 0; i < 3; ++i) std::filesystem::copy_file(ImagePath(sources[i]), disks[i]);
    UseImageDevices(List(disks));
    std::filesystem::remove(disks[1]);

    SetEngineUi(&ui);
    EnumeratePhysicalDrives();
    SetEngineUi(nullptr);
    int first = SlotOf(disks[0]), third = SlotOf(disks[2]);
    ASSERT_GE(first, 0);
    ASSERT_EQ(third, first + 1);
    EXPECT_EQ(PhysicalDriveTable[third].driveNumber, PhysicalDriveTable[first].driveNumber + 2);

    SelectedDriveIndex = uint16_t(third);
    DriveKind = kPhysicalDrive;
    ASSERT_NE(OpenPhysicalDrive(), nullptr);
    std::vector<uint8_t> sector(512);
    ASSERT_EQ(ReadSectors(SelectedDriveIndex, 0, 0, 1, sector.data()), 1);
    EXPECT_EQ(sector, ReadBytes(disks[2], 0, 512));
    EXPECT_EQ(ui.drivePaths.back().path,
              "My Computer\\Physical Devices\\Hard Disk " + std::to_string(third) + " \\");
}

TEST_F(DriveEnumeration, ScanThroughPhysicalDriveAndDriveLetterListsWhatTheImageHolds) {
    const std::set<std::u16string> fat32Listing = Lines(ScanImage(ImagePath("fat32_s1")).items);
    const std::set<std::u16string> fat16Listing = Lines(ScanImage(ImagePath("fat16_s1")).items);
    ASSERT_FALSE(fat32Listing.empty());
    ResetEngineState();
    const std::string fat32 = ImagePath("usb_fat32_mbr"), fat16 = ImagePath("usb_fat16_whole");
    Enumerate({fat32, fat16});

    // "\\.\PhysicalDrive<n>": the partition at sector 2048.
    ASSERT_TRUE(SelectFat32Partition(fat32));
    EXPECT_EQ(ScanSelection(), fat32Listing);

    // "\\.\D:" and the like: the volume alone, from its sector 0.
    struct Case {
        std::string image;
        const std::set<std::u16string>* listing;
    };
    for (const Case& c : {Case{fat32, &fat32Listing}, Case{fat16, &fat16Listing}}) {
        SCOPED_TRACE(c.image);
        ASSERT_TRUE(SelectDriveLetterOf(c.image));
        EXPECT_EQ(ScanSelection(), *c.listing);
    }
}

// Scans the current selection and recovers every found file into a new
// folder; returns each recovered file's path below it with its bytes.
std::map<std::string, std::vector<uint8_t>> RecoverSelection() {
    RecordingUi ui;
    SetEngineUi(&ui);
    EXPECT_EQ(StandardScanThread(), 1);
    SetEngineUi(nullptr);
    std::string folder = TemporaryFolder();
    RecoverFoundFiles(ui, Utf8ToUtf16(folder), {});
    std::map<std::string, std::vector<uint8_t>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::string relative = std::filesystem::relative(entry.path(), folder).generic_string();
        files[relative] = ReadBytes(entry.path().string(), 0, size_t(entry.file_size()));
    }
    return files;
}

TEST_F(DriveEnumeration, RecoveryThroughPhysicalDriveAndDriveLetterWritesWhatTheImageHolds) {
    std::string error;
    ASSERT_TRUE(SelectImage(ImagePath("fat32_s1"), 0, 0, 0, error)) << error;
    const auto expected = RecoverSelection();
    ASSERT_GT(expected.size(), 50u);
    ResetEngineState();
    const std::string fat32 = ImagePath("usb_fat32_mbr");
    Enumerate({fat32});

    ASSERT_TRUE(SelectFat32Partition(fat32));
    EXPECT_EQ(RecoverSelection(), expected);

    ASSERT_TRUE(SelectDriveLetterOf(fat32));
    EXPECT_EQ(RecoverSelection(), expected);
}

TEST_F(DriveEnumeration, DriveLetterReadsStopAtTheVolumesEnd) {
    // Bytes after the volume, as a second partition would have.
    const std::string disk = CopyOfImage("usb_exfat");
    {
        std::ofstream tail(disk, std::ios::binary | std::ios::app);
        std::vector<char> bytes(64 * 512, char(0xAA));
        tail.write(bytes.data(), std::streamsize(bytes.size()));
    }
    UseImageDevices(disk);
    char16_t letter = LetterOf(disk);
    ASSERT_NE(letter, 0);
    ASSERT_TRUE(OpenVolume(std::u16string{u'\\', u'\\', u'.', u'\\', letter, u':'}));
    DriveKind = kLogicalDrive;
    const uint32_t volumeSectors = 32768;
    EXPECT_EQ(SelectedDeviceSectors(), volumeSectors);

    std::vector<uint8_t> sector(512);
    ASSERT_EQ(ReadSectors(0, 0, 0, 1, sector.data()), 1);
    EXPECT_EQ(sector, ReadBytes(disk, 2048 * 512, 512));
    // The read must fail rather than go on into what follows the volume.
    std::vector<uint8_t> two(1024, 0xAA);
    EXPECT_EQ(ReadSectors(0, volumeSectors - 1, 0, 2, two.data()), 0);
    EXPECT_EQ(LastReadFailedSectors, 1u);
    EXPECT_EQ(std::vector<uint8_t>(two.begin() + 512, two.end()), std::vector<uint8_t>(512, 0));
}

TEST(BootSectorClassification, OnlyWellFormedFat16Fat32AndNtfsAreScannable) {
    std::vector<uint8_t> fat32 = ReadBytes(ImagePath("fat32_s1"), 0, 512);
    std::vector<uint8_t> fat16 = ReadBytes(ImagePath("fat16_s1"), 0, 512);
    std::vector<uint8_t> fat12 = ReadBytes(ImagePath("usb_fat12"), 0, 512);
    std::vector<uint8_t> exfat = ReadBytes(ImagePath("usb_exfat"), 2048 * 512, 512);
    ASSERT_EQ(fat32.size(), 512u);
    std::vector<uint8_t> ntfs(512, 0);
    std::memcpy(&ntfs[3], "NTFS    ", 8);

    auto patched = [](std::vector<uint8_t> bytes, size_t at, std::vector<uint8_t> with) {
        std::copy(with.begin(), with.end(), bytes.begin() + at);
        return bytes;
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> sector;
        uint16_t type;
    };
    const Case cases[] = {
        {"FAT32", fat32, kFat32},
        {"FAT16", fat16, kFat16},
        {"NTFS", ntfs, kNtfs},
        {"FAT12", fat12, kUnreadableVolume},
        {"exFAT", exfat, kUnreadableVolume},
        {"zeros", std::vector<uint8_t>(512, 0), kUnreadableVolume},
        {"FAT32 with 4096-byte sectors", patched(fat32, 11, Le16(4096)), kUnreadableVolume},
        {"FAT32 with 3 sectors per cluster", patched(fat32, 13, {3}), kUnreadableVolume},
        {"FAT32 without FATs", patched(fat32, 16, {0}), kUnreadableVolume},
        {"FAT32 text on a FAT16 volume", patched(fat16, 82, {'F', 'A', 'T', '3', '2'}),
         kFat16},
        {"FAT16 text with a FAT32 layout", patched(fat32, 54, {'F', 'A', 'T', '1', '6'}),
         kFat32},
    };
    for (const Case& c : cases) {
        uint8_t sector[512];
        ASSERT_EQ(c.sector.size(), 512u) << c.name;
        std::memcpy(sector, c.sector.data(), 512);
        EXPECT_EQ(ClassifyBootSector(sector), c.type) << c.name;
    }
}

}  // namespace
