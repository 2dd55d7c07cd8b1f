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
#include <cstdlib>
#include <string>

#include "engine_state.h"
#include "file_type_choice.h"
#include "file_types.h"
#include "program_folder.h"
#include "found_items.h"
#include "commands.h"
#include "image_scan.h"
#include "partition_choice.h"
#include "raw_lists.h"
#include "raw_results.h"
#include "raw_scan.h"
#include "recording_ui.h"
#include "snapshot.h"
#include "text.h"


int RawCommand(int argc, char** argv) {
    if (argc < 1) return Usage();
    VolumeOptions volume;
    volume.image = argv[0];
    unsigned long size = 3;
    std::string types = "all", extract, save, rawDat;
    for (int i = 1; i < argc;) {
        int used = ParseVolumeOption(argc, argv, i, volume);
        if (used < 0) return Usage();
        if (used > 0) {
            i += used;
            continue;
        }
        std::string option = argv[i];
        if (i + 1 >= argc) return Usage();
        const char* value = argv[i + 1];
        i += 2;
        if (option == "--size") {
            char* end = nullptr;
            size = std::strtoul(value, &end, 10);
            if (!end || *end || size < 1 || size > 20) return Usage();
        } else if (option == "--types") {
            types = value;
        } else if (option == "--extract") {
            extract = value;
        } else if (option == "--save") {
            save = value;
        } else if (option == "--raw-dat") {
            rawDat = value;
        } else {
            return Usage();
        }
    }

    std::string error;
    bool selected = volume.byPartition
                        ? SelectImagePartition(volume.image, volume.partition, error)
                        : SelectImageRange(volume.image, volume.start, volume.count, volume.type, error);
    if (!selected) {
        std::fprintf(stderr, "mulvara-harness: %s\n", error.c_str());
        return 1;
    }
    RecordingUi ui;
    ui.questionAnswer = 1;  // go on after a file that cannot be written; replace a snapshot
    SetEngineUi(&ui);
    FileTypeTree tree;
    std::u16string signatures = rawDat.empty() ? ProgramFolderPath() + u"Raw.dat" : EnginePath(rawDat);
    std::string unknown;
    int status = 0;
    if (!LoadRawSignatureFile(tree, signatures)) {
        std::fprintf(stderr, "mulvara-harness: cannot read %s\n", Utf16ToUtf8(signatures).c_str());
        status = 1;
    } else if (!CheckOnlyTypes(tree, types, unknown)) {
        std::fprintf(stderr, "mulvara-harness: no type %s in Raw.dat\n", unknown.c_str());
        status = 1;
    } else if (!AcceptFileTypes(tree, int(size) - 1) || !RawScanThread()) {
        PrintMessages(ui);
        status = 1;
    }
    if (status == 0) {
        PrintCarvedFiles();
        std::printf("total\tfiles %u\tunreadable sectors %u\n", unsigned(FilesFound),
                    unsigned(RawUnreadableSectors));
        if (!extract.empty() && !ExtractCarvedFiles(extract)) status = 1;
        if (!save.empty() && !SaveRawSnapshot(EnginePath(save))) status = 1;
        if (status) PrintMessages(ui);
    }
    SetEngineUi(nullptr);
    return status;
}
