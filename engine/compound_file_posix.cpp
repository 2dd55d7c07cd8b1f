// Outside Windows there is no structured storage: the program's own reader
// of compound files gives the same answer.
#include <cstdio>
#include <vector>

#include "compound_file.h"
#include "compound_reader.h"
#include "platform_files.h"
#include "program_folder.h"

std::u16string ReadFileAppName(const std::u16string& path) {
    std::FILE* file = OpenFile(path, "rb");
    if (!file) return u"";
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t got;
    constexpr size_t kMaxFile = 64u << 20;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0 && bytes.size() < kMaxFile)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(file);
    std::string appName;
    if (!ReadCompoundAppName(bytes.data(), bytes.size(), appName)) return u"";
    return AnsiToUtf16(appName + " (VT_LPSTR)\n");
}
