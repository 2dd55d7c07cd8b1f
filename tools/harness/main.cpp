// mulvara-harness: drives the recovery engine without any window.
//
//   mulvara-harness scan IMAGE [VOLUME OPTIONS]
//   mulvara-harness partitions IMAGE [--search]
//   mulvara-harness recover IMAGE DESTINATION [VOLUME OPTIONS] [--path PATH]...
//   mulvara-harness drives [IMAGE...]
//   mulvara-harness advance IMAGE [VOLUME OPTIONS] [--volume N] [--recover DESTINATION] [--timing]
//   mulvara-harness raw IMAGE [options]        (raw_command.cpp)
//   mulvara-harness load SNAPSHOT [options]    (load_command.cpp)
//
// scan takes --save SNAPSHOT besides the volume options: the results are
// then saved as a snapshot.
//
// VOLUME OPTIONS: --start SECTOR, --count SECTORS, --type fat16|fat32|ntfs,
// --partition SECTOR. The README gives the output formats; drives lists what
// the drive enumeration finds.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "commands.h"
#include "engine_state.h"
#include "found_items.h"
#include "image_scan.h"
#include "partition_choice.h"
#include "recording_ui.h"
#include "snapshot.h"
#include "standard_scan.h"
#include "text.h"

int Usage() {
    std::fprintf(stderr,
                 "usage: mulvara-harness scan IMAGE [--start SECTOR] [--count SECTORS] "
                 "[--type fat16|fat32|ntfs] [--partition SECTOR]\n"
                 "       mulvara-harness partitions IMAGE [--search]\n"
                 "       mulvara-harness recover IMAGE DESTINATION [volume options] "
                 "[--path PATH]...\n"
                 "       mulvara-harness drives [IMAGE...]\n"
                 "       mulvara-harness raw IMAGE [--types .jpg,.png|all] [--size MB] "
                 "[volume options] [--extract FOLDER] [--save SNAPSHOT] [--raw-dat PATH]\n"
                 "       mulvara-harness load SNAPSHOT [--image IMAGE] [--extract FOLDER]\n"
                 "       mulvara-harness advance IMAGE [volume options] [--volume N] "
                 "[--recover DESTINATION] [--timing]\n");
    return 2;
}

void Print(const std::u16string& text) { std::fputs(Utf16ToUtf8(text).c_str(), stdout); }

namespace {

bool ParseNumber(const char* text, uint64_t& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end && *end == 0 && end != text;
}

int Scan(int argc, char** argv) {
    if (argc < 1) return Usage();
    VolumeOptions options;
    options.image = argv[0];
    std::string save;
    for (int i = 1; i < argc;) {
        if (std::string(argv[i]) == "--save" && i + 1 < argc) {
            save = argv[i + 1];
            i += 2;
            continue;
        }
        int used = ParseVolumeOption(argc, argv, i, options);
        if (used <= 0) return Usage();
        i += used;
    }
    if (!SelectVolume(options)) return 1;
    RecordingUi ui;
    if (!RunStandardScan(ui)) return 1;
    for (const FoundItem& item : CollectFoundItems(ui)) Print(FoundItemLine(item) + u"\n");
    std::printf("total\tfolders %u\tfiles %u\n", unsigned(FoldersFound), unsigned(FilesFound));
    if (!save.empty()) {
        ui.questionAnswer = 1;  // replace an existing file
        SetEngineUi(&ui);
        int saved = SaveSnapshot(Utf8ToUtf16(save));
        SetEngineUi(nullptr);
        if (!saved) {
            PrintMessages(ui);
            return 1;
        }
    }
    return 0;
}

}  // namespace

int ParseVolumeOption(int argc, char** argv, int i, VolumeOptions& options) {
    std::string option = argv[i];
    if (option != "--start" && option != "--count" && option != "--type" &&
        option != "--partition")
        return 0;
    if (i + 1 >= argc) return -1;
    const char* value = argv[i + 1];
    uint64_t number = 0;
    if (option == "--type") {
        std::string t = value;
        options.type = t == "fat16" ? kFat16 : t == "fat32" ? kFat32 : t == "ntfs" ? kNtfs : 0;
        return options.type ? 2 : -1;
    }
    if (!ParseNumber(value, number) || number > 0xFFFFFFFFu) return -1;
    if (option == "--start") options.start = number;
    if (option == "--count") {
        if (number == 0) return -1;
        options.count = number;
    }
    if (option == "--partition") {
        options.byPartition = true;
        options.partition = uint32_t(number);
    }
    return 2;
}

bool SelectVolume(const VolumeOptions& options) {
    std::string error;
    bool ok = options.byPartition
                  ? SelectImagePartition(options.image, options.partition, error)
                  : SelectImage(options.image, options.start, options.count, options.type, error);
    if (!ok) std::fprintf(stderr, "mulvara-harness: %s\n", error.c_str());
    return ok;
}

bool RunStandardScan(RecordingUi& ui) {
    SetEngineUi(&ui);
    int ran = StandardScanThread();
    SetEngineUi(nullptr);
    if (!ran) PrintMessages(ui);
    return ran != 0;
}

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    std::string command = argv[1];
    if (command == "scan") return Scan(argc - 2, argv + 2);
    if (command == "partitions") return PartitionsCommand(argc - 2, argv + 2);
    if (command == "recover") return RecoverCommand(argc - 2, argv + 2);
    if (command == "advance") return AdvanceCommand(argc - 2, argv + 2);
    if (command == "drives") return DrivesCommand(argc - 2, argv + 2);
    if (command == "raw") return RawCommand(argc - 2, argv + 2);
    if (command == "load") return LoadCommand(argc - 2, argv + 2);
    return Usage();
}
