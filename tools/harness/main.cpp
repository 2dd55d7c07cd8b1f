// mulvara-harness: drives the recovery engine without any window. The usage
// text below lists the commands and their options; the README gives the
// output formats and the exit statuses.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "commands.h"
#include "found_lists.h"
#include "volumes/boot_params.h"
#include "found_items.h"
#include "image_scan.h"
#include "partition_choice.h"
#include "progress_ui.h"
#include "recording_ui.h"
#include "snapshot/snapshot.h"
#include "standard_scan.h"
#include "text.h"

namespace {

const char kUsage[] =
    "usage: mulvara-harness scan IMAGE [VOLUME OPTIONS] [--save SNAPSHOT]\n"
    "       mulvara-harness partitions IMAGE [--search]\n"
    "       mulvara-harness recover IMAGE DESTINATION [VOLUME OPTIONS] [--path PATH]...\n"
    "       mulvara-harness advance IMAGE [VOLUME OPTIONS] [--volume N] [--recover DESTINATION]\n"
    "                       [--timing]\n"
    "       mulvara-harness raw IMAGE [VOLUME OPTIONS] [--types .jpg,.png|all] [--size MB]\n"
    "                       [--extract FOLDER] [--save SNAPSHOT] [--raw-dat PATH]\n"
    "       mulvara-harness load SNAPSHOT [--image IMAGE] [--extract FOLDER]\n"
    "       mulvara-harness drives [IMAGE...]\n"
    "       mulvara-harness --help | -h\n"
    "\n"
    "VOLUME OPTIONS:\n"
    "  --start SECTOR           first sector of the volume (0)\n"
    "  --count SECTORS          sectors of the volume (up to the image's end)\n"
    "  --type fat16|fat32|ntfs  file system (read from the boot sector)\n"
    "  --partition SECTOR       the FAT partition that begins at SECTOR\n"
    "\n"
    "  --save SNAPSHOT          save the results as a snapshot file\n"
    "  --search                 also look for FAT32 boot sectors on every cylinder\n"
    "  --path PATH              recover only what lies at or below PATH of the listing\n"
    "  --volume N               list (or with --recover, recover) found volume N\n"
    "  --recover DESTINATION    recover found volume N's files\n"
    "  --timing                 print the seconds the sweep and the analysis took\n"
    "  --types .jpg,.png|all    the Raw.dat types to carve\n"
    "  --size MB                megabytes written per carved file, 1 to 20 (3)\n"
    "  --extract FOLDER         write every carved file into FOLDER\n"
    "  --raw-dat PATH           the Raw.dat to use (the one beside the harness)\n"
    "  --image IMAGE            the image that stands for the snapshot's drive\n"
    "\n"
    "DESTINATION and FOLDER are made when missing. Exit status: 0 when all was\n"
    "done, 1 when the image, volume, snapshot or destination cannot be used,\n"
    "2 on wrong arguments, 3 when a file was not recovered.\n";

bool IsHelp(const char* argument) {
    return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0;
}

int Scan(int argc, char** argv) {
    VolumeOptions options;
    const char* image = Positional("scan", "IMAGE", argc, argv, 0);
    if (!image) return kExitUsage;
    options.image = image;
    std::string save;
    for (int i = 1; i < argc;) {
        if (std::strcmp(argv[i], "--save") == 0) {
            const char* value = OptionValue(argc, argv, i);
            if (!value) return kExitUsage;
            save = value;
            i += 2;
            continue;
        }
        const int used = ParseVolumeOption(argc, argv, i, options);
        if (used < 0) return kExitUsage;
        if (used == 0) return UnknownArgument("scan", argv[i]);
        i += used;
    }
    if (!SelectVolume(options)) return kExitUnusable;
    ProgressUi ui;
    if (!RunStandardScan(ui)) return kExitUnusable;
    for (const FoundItem& item : CollectFoundItems(ui)) Print(FoundItemLine(item) + u"\n");
    std::printf("total\tfolders %u\tfiles %u\n", unsigned(FoldersFound), unsigned(FilesFound));
    if (!save.empty()) {
        ui.questionAnswer = 1;  // replace an existing file
        SetEngineUi(&ui);
        int saved = SaveSnapshot(Utf8ToUtf16(save));
        SetEngineUi(nullptr);
        if (!saved) {
            PrintMessages(ui);
            return kExitUnusable;
        }
    }
    return kExitDone;
}

}  // namespace

void ShowError(const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", kProgramName, text.c_str());
}

void PrintUsage(std::FILE* out) { std::fputs(kUsage, out); }

int WrongArgument(const std::string& argument, const std::string& reason) {
    ShowError(argument + ": " + reason);
    PrintUsage(stderr);
    return kExitUsage;
}

const char* OptionValue(int argc, char** argv, int i) {
    if (i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0) return argv[i + 1];
    WrongArgument(argv[i], "needs a value");
    return nullptr;
}

const char* Positional(const char* command, const char* name, int argc, char** argv, int i) {
    if (i < argc && std::strncmp(argv[i], "--", 2) != 0) return argv[i];
    WrongArgument(command, std::string(name) + " is missing");
    return nullptr;
}

int UnknownArgument(const char* command, const char* argument) {
    return WrongArgument(argument, argument[0] == '-'
                                       ? std::string("not an option of ") + command
                                       : std::string("one argument too many for ") + command);
}

bool ParseNumber(const char* option, const char* text, uint64_t lowest, uint64_t highest,
                 uint64_t& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtoull(text, &end, 10);
    if (*text >= '0' && *text <= '9' && end && *end == 0 && errno == 0 && value >= lowest &&
        value <= highest)
        return true;
    WrongArgument(option, "\"" + std::string(text) + "\" is not a number from " +
                              std::to_string(lowest) + " to " + std::to_string(highest));
    return false;
}

void Print(const std::u16string& text) { std::fputs(Utf16ToUtf8(text).c_str(), stdout); }

int ParseVolumeOption(int argc, char** argv, int i, VolumeOptions& options) {
    const std::string option = argv[i];
    if (option != "--start" && option != "--count" && option != "--type" &&
        option != "--partition")
        return 0;
    const char* value = OptionValue(argc, argv, i);
    if (!value) return -1;
    if (option == "--type") {
        const std::string t = value;
        options.type = t == "fat16" ? kFat16 : t == "fat32" ? kFat32 : t == "ntfs" ? kNtfs : 0;
        if (!options.type) {
            WrongArgument(option, "\"" + t + "\" is none of fat16, fat32, ntfs");
            return -1;
        }
        return 2;
    }
    uint64_t number = 0;
    // A count is at least one sector; a start or partition may be sector 0.
    if (!ParseNumber(option.c_str(), value, option == "--count" ? 1 : 0, 0xFFFFFFFFu, number))
        return -1;
    if (option == "--start") options.start = number;
    if (option == "--count") options.count = number;
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
    if (!ok) ShowError(error);
    return ok;
}

std::string FolderAndFileItems() {
    return std::to_string(FoldersFound) + " folders, " + std::to_string(FilesFound) + " files";
}

bool RunStandardScan(ProgressUi& ui) {
    SetEngineUi(&ui);
    ui.BeginProgress("scanning", FolderAndFileItems);
    int ran = StandardScanThread();
    ui.EndProgress();
    SetEngineUi(nullptr);
    if (!ran) PrintMessages(ui);
    return ran != 0;
}

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (IsHelp(argv[i])) {
            PrintUsage(stdout);
            return kExitDone;
        }
    if (argc < 2) {
        ShowError("no command given");
        PrintUsage(stderr);
        return kExitUsage;
    }
    const std::string command = argv[1];
    if (command == "scan") return Scan(argc - 2, argv + 2);
    if (command == "partitions") return PartitionsCommand(argc - 2, argv + 2);
    if (command == "recover") return RecoverCommand(argc - 2, argv + 2);
    if (command == "advance") return AdvanceCommand(argc - 2, argv + 2);
    if (command == "drives") return DrivesCommand(argc - 2, argv + 2);
    if (command == "raw") return RawCommand(argc - 2, argv + 2);
    if (command == "load") return LoadCommand(argc - 2, argv + 2);
    return WrongArgument(command, "no such command");
}
