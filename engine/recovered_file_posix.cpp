#include "recovered_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "text.h"

namespace {

constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kSecondsFrom1601To1970 = 11644473600;

struct timespec ToTimespec(uint64_t fileTime) {
    struct timespec t {};
    if (!fileTime) {
        t.tv_nsec = UTIME_OMIT;
        return t;
    }
    t.tv_sec = time_t(int64_t(fileTime / kTicksPerSecond) - kSecondsFrom1601To1970);
    t.tv_nsec = long(fileTime % kTicksPerSecond) * 100;
    return t;
}

}  // namespace

bool RecoveredFile::CreateNew(const std::u16string& path) {
    Close();
    fd_ = open(Utf16ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    return fd_ >= 0;
}

bool RecoveredFile::Write(const void* data, size_t bytes) {
    const char* at = static_cast<const char*>(data);
    while (bytes) {
        ssize_t n = write(fd_, at, bytes);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        at += n;
        bytes -= size_t(n);
    }
    return true;
}

void RecoveredFile::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

bool SetFileTimes(const std::u16string& path, uint64_t, uint64_t access, uint64_t write) {
    struct timespec times[2] = {ToTimespec(access), ToTimespec(write)};
    return utimensat(AT_FDCWD, Utf16ToUtf8(path).c_str(), times, 0) == 0;
}

bool CreateFolder(const std::u16string& path) {
    std::string narrow = Utf16ToUtf8(path);
    if (mkdir(narrow.c_str(), 0755) == 0) return true;
    struct stat info {};
    return stat(narrow.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
