#include <cstdio>
#include <vector>

#include "compound_file.h"
#include "files.h"
#include "office_type.h"

std::u16string ReadFileAppName(const std::u16string& fileName) {
    std::FILE* file = OpenFile(fileName, "rb");
    if (!file) return {};
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t got;
    constexpr size_t kMaxFile = 64u << 20;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0 && bytes.size() < kMaxFile)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(file);
    std::string appName;
    if (!ReadCompoundAppName(bytes.data(), bytes.size(), appName)) return {};
    return AnsiToUtf16(appName + " (VT_LPSTR)\n");
}
