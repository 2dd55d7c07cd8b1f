#include "device/physical_drives.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "device/drive_queries.h"
#include "device/sector_access.h"
#include "engine_ui.h"
#include "settings.h"
#include "text.h"

PhysicalDriveEntry PhysicalDriveTable[kMaxPhysicalDrives] = {};
int PhysicalDriveCount = 0;
int PhysicalSlotCount = 0;

namespace {

constexpr int kProbedDrives = 16;
constexpr char kUsbModel[] = "USB Device";
constexpr char kNoMedium[] = "Media missing or not inserted";

void SetModel(PhysicalDriveEntry& slot, const std::string& model) {
    std::snprintf(slot.model, sizeof slot.model, "%s", model.c_str());
}

void ClearTable() {
    std::memset(PhysicalDriveTable, 0, sizeof PhysicalDriveTable);
    PhysicalDriveCount = 0;
    PhysicalSlotCount = 0;
}

}  // namespace

bool IsUsbModel(const char* model) {
    const size_t length = sizeof kUsbModel - 1;
    if (std::strlen(model) != length) return false;
    for (size_t i = 0; i < length; ++i)
        if (std::tolower(static_cast<unsigned char>(model[i])) !=
            std::tolower(static_cast<unsigned char>(kUsbModel[i])))
            return false;
    return true;
}


void QueryStorageDrives() {
    for (int n = 0; n < kProbedDrives && PhysicalSlotCount < kMaxPhysicalDrives; ++n) {
        PhysicalDriveDescription description;
        if (DescribePhysicalDrive(n, description) != DriveProbe::Described) continue;
        PhysicalDriveEntry& slot = PhysicalDriveTable[PhysicalSlotCount];
        slot = PhysicalDriveEntry();
        // The slot opens the drive it describes, whatever drives before it
        // were skipped.
        slot.driveNumber = n;
        std::snprintf(DeviceNameTable[PhysicalSlotCount], sizeof DeviceNameTable[0],
                      "\\\\.\\PhysicalDrive%d", n);
        if (description.sectorsPerTrack) {
            slot.removable = description.removable;
            slot.cylinders = int(uint32_t(description.cylinders));
            slot.tracksPerCylinder = int(description.tracksPerCylinder);
            slot.sectorsPerTrack = int(description.sectorsPerTrack);
            slot.totalSectors = uint64_t(uint32_t(slot.cylinders)) * description.tracksPerCylinder *
                                description.sectorsPerTrack;
            SetModel(slot, description.busType == kUsbBus ? kUsbModel : description.product);
            ++PhysicalDriveCount;
        } else {
            SetModel(slot, kNoMedium);
        }
        ++PhysicalSlotCount;
    }
}

int ReadSmartIdentify() {
    int answered = 0;
    for (int n = 0; n < kProbedDrives; ++n)
        if (AnswersSmartIdentify(n)) ++answered;
    return answered;
}

int ReadIdeIdentify() { return OpenIdeIdentifyDriver() ? 1 : 0; }

int IdentifyDrives() {
    ClearTable();
    if (!IsWindows9x()) {
        QueryStorageDrives();
        return PhysicalSlotCount;
    }
    // The driver gives no geometry or model: no physical drive is offered.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (!ReadIdeIdentify()) {
            Ui().ShowMessageBox(u"ERROR: Could not open IDE21201.VXD file", u"Mulvara");
            break;
        }
    }
    return 0;
}

void EnumeratePhysicalDrives() {
    DeletedFilesPolicy = 1;
    DuplicatePolicy = 1;
    SectorsPerRead = 60;
    BadSectorRetries = 3;
    IdentifyDrives();
    EngineUi& ui = Ui();
    // Every filled slot is looked at: a reader without medium before a USB
    // disk must not hide the disk.
    for (int slot = 0; slot < PhysicalSlotCount; ++slot) {
        const PhysicalDriveEntry& drive = PhysicalDriveTable[slot];
        if (!IsUsbModel(drive.model) || !drive.removable) continue;
        ui.AddDriveTreePath("My Computer\\Physical Devices\\Hard Disk " + std::to_string(slot) +
                                " \\",
                            slot);
    }
    ui.ExpandDriveTree();
}
