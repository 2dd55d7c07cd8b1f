// mulvara-harness: drives the recovery engine without any window.
//
//   mulvara-harness scan IMAGE [--start SECTOR] [--count SECTORS] [--type fat16|fat32|ntfs]
//   mulvara-harness drives [IMAGE...]
//
// scan prints one line per found folder and file (see the README for the
// format); drives lists what the drive enumeration finds.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine_state.h"
#include "found_items.h"
#include "image_scan.h"
#include "recording_ui.h"
#include "standard_scan.h"
#include "text.h"

int AdvanceCommand(int argc, char** argv);
int DrivesCommand(int argc, char** argv);

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: mulvara-harness scan IMAGE [--start SECTOR] [--count SECTORS] "
                 "[--type fat16|fat32|ntfs]\n"
                 "       mulvara-harness drives [IMAGE...]\n");
    return 2;
}

bool ParseNumber(const char* text, uint64_t& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end && *end == 0 && end != text;
}

void Print(const std::u16string& text) { std::fputs(Utf16ToUtf8(text).c_str(), stdout); }

int Scan(int argc, char** argv) {
    if (argc < 1) return Usage();
    const char* image = argv[0];
    uint64_t start = 0, count = 0;
    uint16_t type = 0;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (i + 1 >= argc) return Usage();
        const char* value = argv[++i];
        if (option == "--start") {
            if (!ParseNumber(value, start) || start > 0xFFFFFFFFu) return Usage();
        } else if (option == "--count") {
            if (!ParseNumber(value, count) || count == 0 || count > 0xFFFFFFFFu) return Usage();
        } else if (option == "--type") {
            std::string t = value;
            type = t == "fat16" ? kFat16 : t == "fat32" ? kFat32 : t == "ntfs" ? kNtfs : 0;
            if (!type) return Usage();
        } else {
            return Usage();
        }
    }

    std::string error;
    if (!SelectImage(image, start, count, type, error)) {
        std::fprintf(stderr, "mulvara-harness: %s\n", error.c_str());
        return 1;
    }

    RecordingUi ui;
    SetEngineUi(&ui);
    int ran = StandardScanThread();
    SetEngineUi(nullptr);
    if (!ran) {
        for (const auto& message : ui.messages) {
            std::fputs(Utf16ToUtf8(message.text).c_str(), stderr);
            std::fputs("\n", stderr);
        }
        return 1;
    }
    for (const FoundItem& item : CollectFoundItems(ui)) Print(FoundItemLine(item) + u"\n");
    std::printf("total\tfolders %u\tfiles %u\n", unsigned(FoldersFound), unsigned(FilesFound));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    std::string command = argv[1];
    if (command == "scan") return Scan(argc - 2, argv + 2);
    if (command == "advance") return AdvanceCommand(argc - 2, argv + 2);
    if (command == "drives") return DrivesCommand(argc - 2, argv + 2);
    return Usage();
}
