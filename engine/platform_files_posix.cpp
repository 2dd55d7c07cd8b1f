#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform_files.h"
#include "text.h"

namespace {

constexpr uint64_t kTicksPerSecond = 10000000;
constexpr int64_t kEpochDifference = 11644473600;  // seconds from 1601 to 1970

std::string Native(const std::u16string& path) { return Utf16ToUtf8(path); }

std::u16string WithSeparator(std::u16string folder) {
    if (!folder.empty() && folder.back() != u'/') folder += u'/';
    return folder;
}

}  // namespace

std::FILE* OpenFile(const std::u16string& path, const char* mode) {
    return std::fopen(Native(path).c_str(), mode);
}

bool DeleteFileAt(const std::u16string& path) { return unlink(Native(path).c_str()) == 0; }

// Outside Windows a file has no creation time: the access and modification
// times are set.
bool SetFileTimes(const std::u16string& path, uint64_t fileTime) {
    if (!fileTime) return false;
    int64_t seconds = int64_t(fileTime / kTicksPerSecond) - kEpochDifference;
    struct timespec times[2];
    times[0].tv_sec = time_t(seconds);
    times[0].tv_nsec = long(fileTime % kTicksPerSecond * 100);
    times[1] = times[0];
    return utimensat(AT_FDCWD, Native(path).c_str(), times, 0) == 0;
}

bool GetFileWriteTime(const std::u16string& path, uint64_t& fileTime) {
    struct stat info {};
    if (stat(Native(path).c_str(), &info) != 0) return false;
    fileTime = uint64_t(int64_t(info.st_mtim.tv_sec) + kEpochDifference) * kTicksPerSecond +
               uint64_t(info.st_mtim.tv_nsec) / 100;
    return true;
}

std::u16string TemporaryFolderPath() {
    const char* folder = std::getenv("TMPDIR");
    return WithSeparator(Utf8ToUtf16(folder && *folder ? folder : "/tmp"));
}

void DeleteFolderFiles(const std::u16string& folder) {
    std::string base = Native(WithSeparator(folder));
    DIR* dir = opendir(base.c_str());
    if (!dir) return;
    while (dirent* entry = readdir(dir)) {
        std::string path = base + entry->d_name;
        struct stat info {};
        if (lstat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) unlink(path.c_str());
    }
    closedir(dir);
}

bool RemoveEmptyFolder(const std::u16string& path) { return rmdir(Native(path).c_str()) == 0; }
