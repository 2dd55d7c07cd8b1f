#include "device/device.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

class PosixDevice : public SectorDevice {
public:
    PosixDevice(int fd, uint64_t size) : fd_(fd), size_(size) {}
    ~PosixDevice() override { close(fd_); }

    uint64_t Size() const override { return size_; }

    int64_t ReadAt(uint64_t offset, void* buffer, size_t bytes) override {
        size_t done = 0;
        while (done < bytes) {
            ssize_t n = pread(fd_, static_cast<char*>(buffer) + done, bytes - done,
                              static_cast<off_t>(offset + done));
            if (n < 0) {
                if (errno == EINTR) continue;
                return done ? int64_t(done) : -1;
            }
            if (n == 0) break;
            done += size_t(n);
        }
        return int64_t(done);
    }

private:
    int fd_;
    uint64_t size_;
};

}  // namespace

std::unique_ptr<SectorDevice> OpenPlatformDevice(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        close(fd);
        return nullptr;
    }
    uint64_t size = 0;
    if (S_ISREG(info.st_mode)) {
        size = uint64_t(info.st_size);
    } else {
        off_t end = lseek(fd, 0, SEEK_END);
        if (end > 0) size = uint64_t(end);
    }
    return std::unique_ptr<SectorDevice>(new PosixDevice(fd, size));
}
