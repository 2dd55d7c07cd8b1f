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
#include <cstdlib>
#include <string>

#include "advance_lists.h"
#include "advance_run.h"
#include "commands.h"
#include "engine_state.h"
#include "found_items.h"
#include "recording_ui.h"
#include "text.h"

int AdvanceCommand(int argc, char** argv) {
    if (argc < 1) return Usage();
    VolumeOptions options;
    options.image = argv[0];
    unsigned long volume = 0;
    bool timing = false, recover = false;
    std::u16string destination;
    for (int i = 1; i < argc;) {
        const std::string option = argv[i];
        if (option == "--timing") {
            timing = true;
            ++i;
            continue;
        }
        if ((option == "--volume" || option == "--recover") && i + 1 < argc) {
            if (option == "--volume") {
                char* end = nullptr;
                volume = std::strtoul(argv[i + 1], &end, 10);
                if (!end || *end || volume == 0 || volume > 0xFFFF) return Usage();
            } else {
                recover = true;
                destination = Utf8ToUtf16(argv[i + 1]);
            }
            i += 2;
            continue;
        }
        const int used = ParseVolumeOption(argc, argv, i, options);
        if (used <= 0) return Usage();
        i += used;
    }
    if (recover && (!volume || !FileExists(destination))) {
        std::fprintf(stderr, "mulvara-harness: --recover needs --volume and an existing folder\n");
        return 1;
    }
    if (!SelectVolume(options)) return 1;

    RecordingUi ui;
    const AdvanceTimes times = RunAdvanceScan(ui);
    if (timing)
        std::printf("timing\tsweep %.3f s\tanalysis %.3f s\tsectors %u\n", times.sweepSeconds,
                    times.analysisSeconds, unsigned(PartitionParameters.sectorCount));
    const auto labels = FoundVolumeLabels(ui);
    uint32_t position = 0;
    for (FoundVolume* v = FoundVolumeList.head; v; v = v->next, ++position)
        Print(u"volume\t" + Decimal(position + 1) + u"\t" + labels[position] + u"\t" +
              Decimal(v->type) + u"\t" + Decimal(v->values.sectorsPerCluster) + u"\t" +
              Decimal(v->values.cluster0Sector) + u"\t" + Decimal(v->values.endSector) + u"\n");
    if (!volume) return 0;

    if (!ScanFoundVolume(ui, uint32_t(volume))) {
        std::fprintf(stderr, "mulvara-harness: no found volume %lu\n", volume);
        return 1;
    }
    if (recover) return PrintRecovery(ui, destination, {});
    size_t folders = 0, files = 0;
    for (const FoundItem& item : CollectFoundItems(ui)) {
        Print(FoundItemLine(item) + u"\n");
        ++(item.folder ? folders : files);
    }
    std::printf("total\tfolders %zu\tfiles %zu\n", folders, files);
    return 0;
}
