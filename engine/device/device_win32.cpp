#include "device/device.h"

#include <windows.h>
#include <winioctl.h>

#include "text.h"

namespace {

class Win32Device : public SectorDevice {
public:
    Win32Device(HANDLE handle, uint64_t size) : handle_(handle), size_(size) {}
    ~Win32Device() override { CloseHandle(handle_); }

    uint64_t Size() const override { return size_; }

    int64_t ReadAt(uint64_t offset, void* buffer, size_t bytes) override {
        size_t done = 0;
        while (done < bytes) {
            LARGE_INTEGER position;
            position.QuadPart = LONGLONG(offset + done);
            if (!SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN))
                return done ? int64_t(done) : -1;
            DWORD want = DWORD(bytes - done > 0x1000000 ? 0x1000000 : bytes - done);
            DWORD got = 0;
            if (!ReadFile(handle_, static_cast<char*>(buffer) + done, want, &got, nullptr))
                return done ? int64_t(done) : -1;
            // Past the end the system reports success with nothing read.
            if (got == 0) break;
            done += got;
        }
        return int64_t(done);
    }

private:
    HANDLE handle_;
    uint64_t size_;
};

uint64_t QuerySize(HANDLE handle) {
    LARGE_INTEGER size;
    if (GetFileSizeEx(handle, &size) && size.QuadPart > 0) return uint64_t(size.QuadPart);
    GET_LENGTH_INFORMATION length;
    DWORD returned = 0;
    if (DeviceIoControl(handle, IOCTL_DISK_GET_LENGTH_INFO, nullptr, 0, &length, sizeof length,
                        &returned, nullptr))
        return uint64_t(length.Length.QuadPart);
    return 0;
}

}  // namespace

std::unique_ptr<SectorDevice> OpenPlatformDevice(const std::string& path) {
    std::wstring wide = ToWide(Utf8ToUtf16(path));
    HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) return nullptr;
    return std::unique_ptr<SectorDevice>(new Win32Device(handle, QuerySize(handle)));
}
