// mulvara-harness: drives the recovery engine without any window.
//
//   mulvara-harness scan IMAGE [--start SECTOR] [--count SECTORS] [--type fat16|fat32|ntfs]
//                   [--save SNAPSHOT]
//   mulvara-harness raw IMAGE [options]        (see raw_command.cpp)
//   mulvara-harness load SNAPSHOT [options]    (see load_command.cpp)
//
// Prints one line per found folder and file (see the README for the format).

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine_state.h"
#include "found_items.h"
#include "harness_common.h"
#include "image_scan.h"
#include "recording_ui.h"
#include "snapshot.h"
#include "standard_scan.h"
#include "text.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: mulvara-harness scan IMAGE [--start SECTOR] [--count SECTORS] "
                 "[--type fat16|fat32|ntfs] [--save SNAPSHOT]\n"
                 "       mulvara-harness raw IMAGE [--types .jpg,.png|all] [--size MB] "
                 "[--start SECTOR] [--count SECTORS] [--type fat16|fat32] [--extract FOLDER] "
                 "[--save SNAPSHOT]\n"
                 "       mulvara-harness load SNAPSHOT [--image IMAGE] [--extract FOLDER]\n");
    return 2;
}

int Scan(int argc, char** argv) {
    if (argc < 1) return Usage();
    const char* image = argv[0];
    uint64_t start = 0, count = 0;
    uint16_t type = 0;
    std::string save;
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
        } else if (option == "--save") {
            save = value;
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
        PrintMessages(ui);
        return 1;
    }
    for (const FoundItem& item : CollectFoundItems(ui)) Print(FoundItemLine(item) + u"\n");
    std::printf("total\tfolders %u\tfiles %u\n", unsigned(FoldersFound), unsigned(FilesFound));
    if (!save.empty()) {
        ui.questionAnswer = 1;  // replace an existing file
        SetEngineUi(&ui);
        int saved = SaveSnapshot(EnginePath(save));
        SetEngineUi(nullptr);
        if (!saved) {
            PrintMessages(ui);
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    std::string command = argv[1];
    if (command == "scan") return Scan(argc - 2, argv + 2);
    if (command == "raw") return RawCommand(argc - 2, argv + 2);
    if (command == "load") return LoadCommand(argc - 2, argv + 2);
    return Usage();
}
