#include "platform_files.h"
#include "text.h"

#ifdef _WIN32
#include <windows.h>

int FileExists(const std::u16string& path) {
    return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
}
#else
#include <sys/stat.h>

int FileExists(const std::u16string& path) {
    struct stat info {};
    return stat(Utf16ToUtf8(path).c_str(), &info) == 0 ? 1 : 0;
}
#endif
