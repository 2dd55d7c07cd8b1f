// mulvara-harness raw IMAGE [--types .jpg,.png|all] [--size MB] [VOLUME OPTIONS]
//     [--extract FOLDER] [--save SNAPSHOT] [--raw-dat PATH]
//
// Raw Scan of an image with the chosen types of "Raw.dat" (all by default);
// without --type or --partition the range has no file system, as a sector
// range of a physical drive:
// prints one "carved" line per hit (name, file type, start sector) and a
// total; --extract writes every carved file into the folder, --save writes
// a Raw Scan snapshot.

#include <cstdio>
#include <string>

#include "found_lists.h"
#include "raw/file_type_choice.h"
#include "file_types.h"
#include "program_folder.h"
#include "found_items.h"
#include "commands.h"
#include "image_scan.h"
#include "partition_choice.h"
#include "progress_ui.h"
#include "raw/raw_lists.h"
#include "raw/raw_results.h"
#include "raw/raw_scan.h"
#include "recording_ui.h"
#include "snapshot/snapshot.h"
#include "text.h"


namespace {

std::string CarvedItems() { return std::to_string(FilesFound) + " files"; }

}  // namespace

int RawCommand(int argc, char** argv) {
    VolumeOptions volume;
    const char* image = Positional("raw", "IMAGE", argc, argv, 0);
    if (!image) return kExitUsage;
    volume.image = image;
    uint64_t size = 3;
    std::string types = "all", extract, save, rawDat;
    for (int i = 1; i < argc;) {
        const int used = ParseVolumeOption(argc, argv, i, volume);
        if (used < 0) return kExitUsage;
        if (used > 0) {
            i += used;
            continue;
        }
        const std::string option = argv[i];
        std::string* text = option == "--types"     ? &types
                            : option == "--extract" ? &extract
                            : option == "--save"    ? &save
                            : option == "--raw-dat" ? &rawDat
                                                    : nullptr;
        if (!text && option != "--size") return UnknownArgument("raw", argv[i]);
        const char* value = OptionValue(argc, argv, i);
        if (!value) return kExitUsage;
        if (text)
            *text = value;
        else if (!ParseNumber("--size", value, 1, 20, size))
            return kExitUsage;
        i += 2;
    }

    std::string error;
    bool selected = volume.byPartition
                        ? SelectImagePartition(volume.image, volume.partition, error)
                        : SelectImageRange(volume.image, volume.start, volume.count, volume.type, error);
    if (!selected) {
        ShowError(error);
        return kExitUnusable;
    }
    std::u16string folder;
    if (!extract.empty() && (folder = DestinationFolder(extract)).empty()) return kExitUnusable;
    ProgressUi ui;
    ui.questionAnswer = 1;  // go on after a file that cannot be written; replace a snapshot
    SetEngineUi(&ui);
    FileTypeTree tree;
    std::u16string signatures = rawDat.empty() ? ProgramFolderPath() + u"Raw.dat" : EnginePath(rawDat);
    std::string unknown;
    int status = kExitDone;
    if (!LoadRawSignatureFile(tree, signatures)) {
        ShowError("cannot read " + Utf16ToUtf8(signatures));
        status = kExitUnusable;
    } else if (!CheckOnlyTypes(tree, types, unknown)) {
        status = WrongArgument("--types", "no type " + unknown + " in Raw.dat");
    } else {
        ui.BeginProgress("scanning", CarvedItems);
        const bool scanned = AcceptFileTypes(tree, int(size) - 1) && RawScanThread();
        ui.EndProgress();
        if (!scanned) {
            PrintMessages(ui);
            status = kExitUnusable;
        }
    }
    if (status == kExitDone) {
        PrintCarvedFiles();
        std::printf("total\tfiles %u\tunreadable sectors %u\n", unsigned(FilesFound),
                    unsigned(RawUnreadableSectors));
        if (!folder.empty() && !ExtractCarvedFiles(folder)) status = kExitNotRecovered;
        if (!save.empty() && !SaveRawSnapshot(EnginePath(save))) status = kExitUnusable;
        if (status) PrintMessages(ui);
    }
    SetEngineUi(nullptr);
    return status;
}
