// The files the recovery writes: created only when the path is free, never
// opened over an existing file, and given their times from the disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#ifdef _WIN32
constexpr char16_t kPathSeparator = u'\\';
#else
constexpr char16_t kPathSeparator = u'/';
#endif

class RecoveredFile {
public:
    RecoveredFile() = default;
    RecoveredFile(const RecoveredFile&) = delete;
    RecoveredFile& operator=(const RecoveredFile&) = delete;
    ~RecoveredFile() { Close(); }

    // Creates the file; fails when anything already exists at the path.
    bool CreateNew(const std::u16string& path);
    bool Write(const void* data, size_t bytes);
    void Close();

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

// Sets the file's creation, last-access and last-write times from FILETIME
// values (100 ns since 1601, UTC). A time of 0 leaves that time as it is.
// Natively there is no creation time to set. False when the file cannot be
// opened or the times not set.
bool SetFileTimes(const std::u16string& path, uint64_t creation, uint64_t access,
                  uint64_t write);

// Creates one folder; true when it exists afterwards as a folder.
bool CreateFolder(const std::u16string& path);

// FILETIME of a civil date and time (UTC); 0 for a date that does not exist.
uint64_t FileTimeFromCivil(int year, unsigned month, unsigned day, unsigned hour,
                           unsigned minute, unsigned second);
