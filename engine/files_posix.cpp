#include "files.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "text.h"

std::u16string ProgramFolder;

std::FILE* OpenFile(const std::u16string& path, const char* mode) {
    return std::fopen(Utf16ToUtf8(path).c_str(), mode);
}

void RemoveFile(const std::u16string& path) { std::remove(Utf16ToUtf8(path).c_str()); }

void RemoveFolderFiles(const std::u16string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path path(Utf16ToUtf8(folder));
    for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file(error)) fs::remove(it->path(), error);
    fs::remove(path, error);  // only when empty
}

unsigned long ProcessId() { return static_cast<unsigned long>(getpid()); }

std::u16string TemporaryFolderPath() {
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder && *folder ? folder : "/tmp";
    if (path.back() != '/') path += '/';
    return Utf8ToUtf16(path);
}

const std::u16string& ProgramFolderPath() {
    if (ProgramFolder.empty()) {
        std::error_code error;
        std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
        if (!error) ProgramFolder = Utf8ToUtf16(self.parent_path().string() + "/");
    }
    return ProgramFolder;
}

std::u16string AnsiToUtf16(const std::string& text) {
    std::u16string out;
    out.reserve(text.size());
    for (unsigned char c : text) out.push_back(char16_t(c));
    return out;
}

std::string Utf16ToAnsi(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) out.push_back(c < 0x100 ? char(c) : '?');
    return out;
}
