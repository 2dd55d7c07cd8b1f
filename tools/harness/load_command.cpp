// mulvara-harness load SNAPSHOT [--image IMAGE] [--extract FOLDER]
//
// Loads a snapshot and prints its results as the scans print theirs. With
// --image the image stands for the snapshot's physical drive, so that a
// Raw Scan snapshot's carved files can be extracted into the folder.

#include <cstdio>
#include <string>

#include "device/device.h"
#include "device/sector_access.h"
#include "found_lists.h"
#include "scan_control.h"
#include "engine_state.h"
#include "found_items.h"
#include "commands.h"
#include "raw/raw_lists.h"
#include "raw/raw_results.h"
#include "recording_ui.h"
#include "snapshot/snapshot.h"

int LoadCommand(int argc, char** argv) {
    const char* snapshot = Positional("load", "SNAPSHOT", argc, argv, 0);
    if (!snapshot) return kExitUsage;
    std::string image, extract;
    for (int i = 1; i < argc; i += 2) {
        const std::string option = argv[i];
        if (option != "--image" && option != "--extract")
            return UnknownArgument("load", argv[i]);
        const char* value = OptionValue(argc, argv, i);
        if (!value) return kExitUsage;
        (option == "--image" ? image : extract) = value;
    }
    std::u16string folder;
    if (!extract.empty() && (folder = DestinationFolder(extract)).empty()) return kExitUnusable;
    ResetEngineState();
    for (int slot = 0; slot < 10 && !image.empty(); ++slot)
        MapDeviceToImage(DeviceNameTable[slot], image);

    RecordingUi ui;
    ui.questionAnswer = 1;
    SetEngineUi(&ui);
    const int loaded = OpenSnapshot(EnginePath(snapshot));
    int status = loaded ? kExitDone : kExitUnusable;
    if (loaded && ScanMode == kRawScan) {
        PrintCarvedFiles();
        std::printf("total\tfiles %u\tsignatures %u\n", unsigned(FilesFound),
                    unsigned(SignatureCount));
        if (!folder.empty() && !ExtractCarvedFiles(folder)) status = kExitNotRecovered;
    } else if (loaded) {
        for (const FoundItem& item : CollectFoundItems(ui)) Print(FoundItemLine(item) + u"\n");
        std::printf("total\tfolders %u\tfiles %u\n", unsigned(FoldersFound), unsigned(FilesFound));
        // Only carved files are extracted from a snapshot.
        if (!folder.empty()) {
            ShowError("--extract: the snapshot holds no carved files");
            status = kExitNotRecovered;
        }
    }
    if (status != kExitDone) PrintMessages(ui);
    SetEngineUi(nullptr);
    return status;
}
