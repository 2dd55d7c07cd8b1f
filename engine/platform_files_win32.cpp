#include <windows.h>

#include "platform_files.h"
#include "text.h"

namespace {

FILETIME ToFileTime(uint64_t value) {
    FILETIME time;
    time.dwLowDateTime = DWORD(value);
    time.dwHighDateTime = DWORD(value >> 32);
    return time;
}

std::u16string WithSeparator(std::u16string folder) {
    if (!folder.empty() && folder.back() != u'\\' && folder.back() != u'/') folder += u'\\';
    return folder;
}

}  // namespace

std::FILE* OpenFile(const std::u16string& path, const char* mode) {
    std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(ToWide(path).c_str(), wideMode.c_str());
}

bool DeleteFileAt(const std::u16string& path) { return DeleteFileW(ToWide(path).c_str()) != 0; }

bool SetFileTimes(const std::u16string& path, uint64_t fileTime) {
    if (!fileTime) return false;
    HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILETIME time = ToFileTime(fileTime);
    bool set = SetFileTime(file, &time, &time, &time) != 0;
    CloseHandle(file);
    return set;
}

bool GetFileWriteTime(const std::u16string& path, uint64_t& fileTime) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(ToWide(path).c_str(), GetFileExInfoStandard, &data)) return false;
    fileTime = uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 |
               data.ftLastWriteTime.dwLowDateTime;
    return true;
}

std::u16string TemporaryFolderPath() {
    wchar_t folder[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (!length || length > MAX_PATH) return u".\\";
    return WithSeparator(FromWide(folder));
}

void DeleteFolderFiles(const std::u16string& folder) {
    std::u16string base = WithSeparator(folder);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(ToWide(base + u"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW(ToWide(base + FromWide(found.cFileName)).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

bool RemoveEmptyFolder(const std::u16string& path) { return RemoveDirectoryW(ToWide(path).c_str()) != 0; }
