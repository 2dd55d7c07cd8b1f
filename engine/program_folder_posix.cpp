#include "program_folder.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "text.h"

std::u16string ProgramFolder;

const std::u16string& ProgramFolderPath() {
    if (ProgramFolder.empty()) {
        std::error_code error;
        std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
        if (!error) ProgramFolder = Utf8ToUtf16(self.parent_path().string() + "/");
    }
    return ProgramFolder;
}

unsigned long ProcessId() { return static_cast<unsigned long>(getpid()); }

std::u16string AnsiToUtf16(const std::string& text) {
    std::u16string out;
    out.reserve(text.size());
    for (unsigned char c : text) out.push_back(char16_t(c));
    return out;
}
