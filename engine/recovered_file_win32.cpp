#include "recovered_file.h"

#include <windows.h>

#include "text.h"

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

bool CreateFolder(const std::u16string& path) {
    if (CreateDirectoryW(ToWide(path).c_str(), nullptr)) return true;
    DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
