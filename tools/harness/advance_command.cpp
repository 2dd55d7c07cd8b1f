// mulvara-harness advance IMAGE [volume options] [--volume N]
//                              [--recover DESTINATION] [--timing]
//
// Runs the Advance Scan over the range and prints one line per found volume
// ("volume", its position, label, type, sectors per cluster, cluster-0
// sector, end sector). With --volume it then lists that volume's folders and
// files in the scan command's format, or with --recover writes them into
// DESTINATION as the recover command does. --timing adds a line with the
// seconds taken by the sweep and by the volume reconstruction.

#include <cstdio>
#include <string>

#include "advance/advance_lists.h"
#include "advance_run.h"
#include "commands.h"
#include "volumes/boot_params.h"
#include "found_items.h"
#include "progress_ui.h"
#include "recording_ui.h"
#include "text.h"

namespace {

std::string SweepItems() {
    std::string items = std::to_string(BootCandidateCount) + " boot sectors, " +
                        std::to_string(AdvanceFoundCounts[0]) + " folders";
    // Only an NTFS sweep finds files.
    if (AdvanceFoundCounts[1]) items += ", " + std::to_string(AdvanceFoundCounts[1]) + " files";
    return items;
}

}  // namespace

int AdvanceCommand(int argc, char** argv) {
    VolumeOptions options;
    const char* image = Positional("advance", "IMAGE", argc, argv, 0);
    if (!image) return kExitUsage;
    options.image = image;
    uint64_t volume = 0;
    bool timing = false;
    const char* recover = nullptr;
    for (int i = 1; i < argc;) {
        const std::string option = argv[i];
        if (option == "--timing") {
            timing = true;
            ++i;
            continue;
        }
        if (option == "--volume" || option == "--recover") {
            const char* value = OptionValue(argc, argv, i);
            if (!value) return kExitUsage;
            if (option == "--recover")
                recover = value;
            else if (!ParseNumber("--volume", value, 1, 0xFFFF, volume))
                return kExitUsage;
            i += 2;
            continue;
        }
        const int used = ParseVolumeOption(argc, argv, i, options);
        if (used < 0) return kExitUsage;
        if (used == 0) return UnknownArgument("advance", argv[i]);
        i += used;
    }
    if (recover && !volume) return WrongArgument("--recover", "needs --volume N");
    if (!SelectVolume(options)) return kExitUnusable;
    std::u16string destination;
    if (recover && (destination = DestinationFolder(recover)).empty()) return kExitUnusable;

    ProgressUi ui;
    ui.BeginProgress("scanning", SweepItems);
    const AdvanceTimes times = RunAdvanceScan(ui);
    ui.EndProgress();
    if (timing)
        std::printf("timing\tsweep %.3f s\tanalysis %.3f s\tsectors %u\n", times.sweepSeconds,
                    times.analysisSeconds, unsigned(PartitionParameters.sectorCount));
    const auto labels = FoundVolumeLabels(ui);
    uint32_t position = 0;
    for (FoundVolume* v = FoundVolumeList.head; v; v = v->next, ++position)
        Print(u"volume\t" + Decimal(position + 1) + u"\t" + labels[position] + u"\t" +
              Decimal(v->type) + u"\t" + Decimal(v->values.sectorsPerCluster) + u"\t" +
              Decimal(v->values.cluster0Sector) + u"\t" + Decimal(v->values.endSector) + u"\n");
    if (!volume) return kExitDone;

    ui.BeginProgress("scanning", FolderAndFileItems);
    const bool scanned = ScanFoundVolume(ui, uint32_t(volume));
    ui.EndProgress();
    if (!scanned) {
        ShowError("no found volume " + std::to_string(volume));
        return kExitUnusable;
    }
    if (recover) return PrintRecovery(ui, destination, {});
    size_t folders = 0, files = 0;
    for (const FoundItem& item : CollectFoundItems(ui)) {
        Print(FoundItemLine(item) + u"\n");
        ++(item.folder ? folders : files);
    }
    std::printf("total\tfolders %zu\tfiles %zu\n", folders, files);
    return kExitDone;
}
