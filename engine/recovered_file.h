// The files the recovery writes (and the Office detection's temporary copy):
// created only when the path is free, never opened over an existing file;
// and the folders they go into.
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

// Creates one folder; true when it exists afterwards as a folder.
bool CreateFolder(const std::u16string& path);
