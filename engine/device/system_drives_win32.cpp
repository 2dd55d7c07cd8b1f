// The system's drives and volumes through the Win32 device interface.
#include <windows.h>
#include <winioctl.h>

#include <cstdio>
#include <vector>

#include "byte_view.h"
#include "device/drive_queries.h"
#include "text.h"

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (valid()) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

std::wstring PhysicalDrivePath(int number) {
    wchar_t path[32];
    std::swprintf(path, 32, L"\\\\.\\PhysicalDrive%d", number);
    return path;
}

std::wstring RootPath(char16_t letter) { return std::wstring{wchar_t(letter), L':', L'\\'}; }

// Descriptor fields, read by offset from what the driver returned.
constexpr size_t kRemovableMedia = 10;
constexpr size_t kProductIdOffset = 16;
constexpr size_t kBusType = 28;

bool ReadDescriptor(HANDLE device, PhysicalDriveDescription& out) {
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    std::vector<uint8_t> buffer(10000, 0);
    DWORD returned = 0;
    if (!DeviceIoControl(device, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query,
                         buffer.data(), DWORD(buffer.size()), &returned, nullptr))
        return false;
    ByteView descriptor(buffer.data(), returned < buffer.size() ? returned : buffer.size());
    out.removable = descriptor.u8(kRemovableMedia) != 0;
    out.busType = uint8_t(descriptor.u32(kBusType));
    uint32_t productAt = descriptor.u32(kProductIdOffset);
    out.product.clear();
    if (productAt)
        for (size_t i = productAt; descriptor.Has(i, 1) && descriptor.u8(i); ++i)
            out.product.push_back(char(descriptor.u8(i)));
    return true;
}

}  // namespace

DriveProbe DescribeSystemPhysicalDrive(int number, PhysicalDriveDescription& out) {
    out = PhysicalDriveDescription();
    // No data access: the descriptor and geometry queries need none.
    Handle device(CreateFileW(PhysicalDrivePath(number).c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr));
    if (!device.valid()) return DriveProbe::Absent;
    if (!ReadDescriptor(device.get(), out)) return DriveProbe::Undescribed;
    DISK_GEOMETRY geometry{};
    DWORD returned = 0;
    if (DeviceIoControl(device.get(), IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &geometry,
                        sizeof geometry, &returned, nullptr)) {
        out.cylinders = uint64_t(geometry.Cylinders.QuadPart);
        out.tracksPerCylinder = geometry.TracksPerCylinder;
        out.sectorsPerTrack = geometry.SectorsPerTrack;
    }
    return DriveProbe::Described;
}

bool SystemAnswersSmartIdentify(int number) {
    // Identify data needs read and write access to the drive; nothing is
    // written to the medium.
    Handle device(CreateFileW(PhysicalDrivePath(number).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr));
    if (!device.valid()) return false;
    GETVERSIONINPARAMS version{};
    DWORD returned = 0;
    if (!DeviceIoControl(device.get(), SMART_GET_VERSION, nullptr, 0, &version, sizeof version,
                         &returned, nullptr))
        return false;
    SENDCMDINPARAMS command{};
    command.cBufferSize = IDENTIFY_BUFFER_SIZE;
    command.irDriveRegs.bSectorCountReg = 1;
    command.irDriveRegs.bSectorNumberReg = 1;
    command.irDriveRegs.bDriveHeadReg = BYTE(0xA0 | ((number & 1) << 4));
    command.irDriveRegs.bCommandReg = ID_CMD;
    command.bDriveNumber = BYTE(number);
    std::vector<uint8_t> answer(sizeof(SENDCMDOUTPARAMS) + IDENTIFY_BUFFER_SIZE, 0);
    return DeviceIoControl(device.get(), SMART_RCV_DRIVE_DATA, &command, sizeof command,
                           answer.data(), DWORD(answer.size()), &returned, nullptr) != 0;
}

uint32_t SystemLogicalDriveMask() { return GetLogicalDrives(); }

bool IsSystemRemovableDrive(char16_t letter) {
    return GetDriveTypeW(RootPath(letter).c_str()) == DRIVE_REMOVABLE;
}

bool QuerySystemVolumeBytes(char16_t letter, uint64_t& bytes) {
    ULARGE_INTEGER available, total, free;
    if (!GetDiskFreeSpaceExW(RootPath(letter).c_str(), &available, &total, &free)) return false;
    bytes = total.QuadPart;
    return true;
}

std::u16string QuerySystemVolumeLabel(char16_t letter) {
    wchar_t label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(RootPath(letter).c_str(), label, MAX_PATH + 1, nullptr, nullptr,
                               nullptr, nullptr, 0))
        return u"";
    return FromWide(label);
}

bool IsWindows9x() { return (GetVersion() & 0x80000000u) != 0; }

bool OpenIdeIdentifyDriver() {
    Handle driver(CreateFileW(L"\\\\.\\IDE21201.VXD", 0, 0, nullptr, 0,
                              FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return driver.valid();
}
