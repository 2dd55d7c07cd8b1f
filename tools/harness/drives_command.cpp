// mulvara-harness drives [IMAGE...]
//
// Runs the drive page's enumeration and prints what it found: one line per
// physical-drive slot, per removable volume and per drive-tree path. Images
// given here are the image devices; without any, those of
// MULVARA_IMAGE_DEVICES (and the system's own drives) are listed.

#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"
#include "device/image_devices.h"
#include "device/logical_drives.h"
#include "device/physical_drives.h"
#include "recording_ui.h"
#include "text.h"

int DrivesCommand(int argc, char** argv) {
    if (argc > 0) {
        std::string list;
        for (int i = 0; i < argc; ++i) {
            if (std::strncmp(argv[i], "--", 2) == 0)
                return UnknownArgument("drives", argv[i]);
            list += (i ? std::string(1, kImageListSeparator) : "") + argv[i];
        }
        UseImageDevices(list);
    }
    RecordingUi ui;
    SetEngineUi(&ui);
    EnumeratePhysicalDrives();
    EnumerateLogicalDrives();
    SetEngineUi(nullptr);

    for (int slot = 0; slot < PhysicalSlotCount; ++slot) {
        const PhysicalDriveEntry& d = PhysicalDriveTable[slot];
        std::printf("physical %d\tdrive %d\tremovable %d\tgeometry %d/%d/%d\tsectors %llu\tmodel %s\n",
                    slot, d.driveNumber, d.removable, d.cylinders, d.tracksPerCylinder,
                    d.sectorsPerTrack, static_cast<unsigned long long>(d.totalSectors), d.model);
    }
    for (int i = 0; i < LogicalDriveCount; ++i) {
        const LogicalDriveEntry& v = LogicalDriveTable[i];
        std::printf("logical %s\ttype %u\tsectors %llu\tcluster %u\tlabel %s\n",
                    Utf16ToUtf8(v.rootPath).c_str(), unsigned(v.type),
                    static_cast<unsigned long long>(v.size), unsigned(v.sectorsPerCluster),
                    Utf16ToUtf8(v.volumeLabel).c_str());
    }
    for (const RecordingUi::DrivePath& p : ui.drivePaths)
        std::printf("tree %s\t%d\n", p.path.c_str(), p.drive);
    std::printf("total\tphysical %d\twith geometry %d\tlogical %d\n", PhysicalSlotCount,
                PhysicalDriveCount, int(LogicalDriveCount));
    return kExitDone;
}
