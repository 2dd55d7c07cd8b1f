// mulvara-harness raw IMAGE [--types .jpg,.png|all] [--size MB] [--start SECTOR]
//     [--count SECTORS] [--type fat16|fat32] [--extract FOLDER] [--save SNAPSHOT]
//     [--raw-dat PATH]
//
// Raw Scan of an image with the chosen types of "Raw.dat" (all by default):
// prints one "carved" line per hit (name, file type, start sector) and a
// total; --extract writes every carved file into the folder, --save writes
// a Raw Scan snapshot.

#include <cstdio>
#include <string>

#include "engine_state.h"
#include "file_type_choice.h"
#include "file_types.h"
#include "files.h"
#include "found_items.h"
#include "harness_common.h"
#include "image_scan.h"
#include "raw_lists.h"
#include "raw_results.h"
#include "raw_scan.h"
#include "recording_ui.h"
#include "snapshot.h"
#include "text.h"

namespace {

int RawUsage() {
    std::fprintf(stderr,
                 "usage: mulvara-harness raw IMAGE [--types .jpg,.png|all] [--size MB] "
                 "[--start SECTOR] [--count SECTORS] [--type fat16|fat32] [--extract FOLDER] "
                 "[--save SNAPSHOT] [--raw-dat PATH]\n");
    return 2;
}

}  // namespace

int RawCommand(int argc, char** argv) {
    if (argc < 1) return RawUsage();
    const char* image = argv[0];
    uint64_t start = 0, count = 0, size = 3;
    uint16_t type = 0;
    std::string types = "all", extract, save, rawDat;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (i + 1 >= argc) return RawUsage();
        const char* value = argv[++i];
        if (option == "--start") {
            if (!ParseNumber(value, start) || start > 0xFFFFFFFFu) return RawUsage();
        } else if (option == "--count") {
            if (!ParseNumber(value, count) || count == 0 || count > 0xFFFFFFFFu) return RawUsage();
        } else if (option == "--size") {
            if (!ParseNumber(value, size) || size < 1 || size > 20) return RawUsage();
        } else if (option == "--type") {
            std::string t = value;
            type = t == "fat16" ? kFat16 : t == "fat32" ? kFat32 : 0;
            if (!type) return RawUsage();
        } else if (option == "--types") {
            types = value;
        } else if (option == "--extract") {
            extract = value;
        } else if (option == "--save") {
            save = value;
        } else if (option == "--raw-dat") {
            rawDat = value;
        } else {
            return RawUsage();
        }
    }

    std::string error;
    if (!SelectImageRange(image, start, count, type, error)) {
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
        for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next)
            Print(CarvedItemLine(*f) + u"\n");
        std::printf("total\tfiles %u\tunreadable sectors %u\n", unsigned(FilesFound),
                    unsigned(RawUnreadableSectors));
        if (!extract.empty())
            for (CarvedFileRecord* f = CarvedFileList.head; f && !StopAllRecovery; f = f->next)
                if (!RecoverCarvedFile(EngineFolder(extract), *f)) status = 1;
        if (!save.empty() && !SaveRawSnapshot(EnginePath(save))) status = 1;
        if (status) PrintMessages(ui);
    }
    SetEngineUi(nullptr);
    return status;
}
