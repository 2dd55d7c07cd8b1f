// Outside Windows there is no structured storage: the program's own reader
// of compound files gives the same answer.
#include <cstdio>
#include <vector>

#include "raw/compound_file.h"
#include "raw/compound_reader.h"
#include "platform_files.h"
#include "program_folder.h"

std::u16string ReadFileAppName(const std::u16string& path) {
    std::vector<uint8_t> bytes;
    if (ReadFileBytes(path, 64u << 20, bytes) != FileRead::Ok) return u"";
    std::string appName;
    if (!ReadCompoundAppName(bytes.data(), bytes.size(), appName)) return u"";
    return AnsiToUtf16(appName + " (VT_LPSTR)\n");
}
