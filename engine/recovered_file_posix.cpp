#include "recovered_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "text.h"

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

bool CreateFolder(const std::u16string& path) {
    std::string narrow = Utf16ToUtf8(path);
    if (mkdir(narrow.c_str(), 0755) == 0) return true;
    struct stat info {};
    return stat(narrow.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
