#include "recovered_file.h"

#include <windows.h>

#include "text.h"

namespace {

FILETIME ToFiletime(uint64_t value) {
    FILETIME t;
    t.dwLowDateTime = DWORD(value);
    t.dwHighDateTime = DWORD(value >> 32);
    return t;
}

}  // namespace

bool RecoveredFile::CreateNew(const std::u16string& path) {
    Close();
    HANDLE h = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    handle_ = h;
    return true;
}

bool RecoveredFile::Write(const void* data, size_t bytes) {
    const char* at = static_cast<const char*>(data);
    while (bytes) {
        DWORD want = DWORD(bytes > 0x1000000 ? 0x1000000 : bytes), done = 0;
        if (!WriteFile(handle_, at, want, &done, nullptr) || done == 0) return false;
        at += done;
        bytes -= done;
    }
    return true;
}

void RecoveredFile::Close() {
    if (handle_) CloseHandle(handle_);
    handle_ = nullptr;
}

bool SetFileTimes(const std::u16string& path, uint64_t creation, uint64_t access,
                  uint64_t write) {
    HANDLE h = CreateFileW(ToWide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    FILETIME c = ToFiletime(creation), a = ToFiletime(access), w = ToFiletime(write);
    BOOL ok = SetFileTime(h, creation ? &c : nullptr, access ? &a : nullptr, write ? &w : nullptr);
    CloseHandle(h);
    return ok != 0;
}

bool CreateFolder(const std::u16string& path) {
    if (CreateDirectoryW(ToWide(path).c_str(), nullptr)) return true;
    DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
