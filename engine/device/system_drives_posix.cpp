// Outside Windows the system offers no drives: only image devices are seen.
#include "device/drive_queries.h"

DriveProbe DescribeSystemPhysicalDrive(int, PhysicalDriveDescription& out) {
    out = PhysicalDriveDescription();
    return DriveProbe::Absent;
}

bool SystemAnswersSmartIdentify(int) { return false; }
uint32_t SystemLogicalDriveMask() { return 0; }
bool IsSystemRemovableDrive(char16_t) { return false; }
bool QuerySystemVolumeBytes(char16_t, uint64_t&) { return false; }
std::u16string QuerySystemVolumeLabel(char16_t) { return u""; }
bool IsWindows9x() { return false; }
bool OpenIdeIdentifyDriver() { return false; }
