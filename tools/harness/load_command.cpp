// mulvara-harness load SNAPSHOT [--image IMAGE] [--extract FOLDER]
//
// Loads a snapshot and prints its results as the scans print theirs. With
// --image the image stands for the snapshot's physical drive, so that a
// Raw Scan snapshot's carved files can be extracted into the folder.

#include <cstdio>
#include <string>

#include "device.h"
#include "engine_state.h"
#include "found_items.h"
#include "commands.h"
#include "raw_lists.h"
#include "raw_results.h"
#include "recording_ui.h"
#include "snapshot.h"

int LoadCommand(int argc, char** argv) {
    if (argc < 1 || argc % 2 == 0) {
        std::fprintf(stderr, "usage: mulvara-harness load SNAPSHOT [--image IMAGE] [--extract FOLDER]\n");
        return 2;
    }
    std::string image, extract;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string option = argv[i];
        if (option == "--image") {
            image = argv[i + 1];
        } else if (option == "--extract") {
            extract = argv[i + 1];
        } else {
            std::fprintf(stderr, "mulvara-harness: unknown option %s\n", option.c_str());
            return 2;
        }
    }
    ResetEngineState();
    for (int slot = 0; slot < 10 && !image.empty(); ++slot)
        MapDeviceToImage(DeviceNameTable[slot], image);

    RecordingUi ui;
    ui.questionAnswer = 1;
    SetEngineUi(&ui);
    int loaded = OpenSnapshot(EnginePath(argv[0]));
    int status = loaded ? 0 : 1;
    if (loaded && ScanMode == kRawScan) {
        PrintCarvedFiles();
        std::printf("total\tfiles %u\tsignatures %u\n", unsigned(FilesFound),
                    unsigned(SignatureCount));
        if (!extract.empty() && !ExtractCarvedFiles(extract)) status = 1;
    } else if (loaded) {
        for (const FoundItem& item : CollectFoundItems(ui)) Print(FoundItemLine(item) + u"\n");
        std::printf("total\tfolders %u\tfiles %u\n", unsigned(FoldersFound), unsigned(FilesFound));
    }
    if (status) PrintMessages(ui);
    SetEngineUi(nullptr);
    return status;
}
