// mulvara-harness advance IMAGE [--start SECTOR] [--count SECTORS]
//                              [--type fat16|fat32|ntfs] [--volume N] [--timing]
//
// Runs the Advance Scan over the range and prints one line per found volume
// ("volume", its position, label, type, sectors per cluster, cluster-0
// sector, end sector). With --volume it then lists that volume's folders and
// files in the scan command's format. --timing adds a line with the seconds
// taken by the sweep and by the volume reconstruction.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "advance_lists.h"
#include "advance_run.h"
#include "engine_state.h"
#include "found_items.h"
#include "image_scan.h"
#include "recording_ui.h"
#include "text.h"

namespace {

int AdvanceUsage() {
    std::fprintf(stderr,
                 "usage: mulvara-harness advance IMAGE [--start SECTOR] [--count SECTORS] "
                 "[--type fat16|fat32|ntfs] [--volume N] [--timing]\n");
    return 2;
}

bool ParseCount(const char* text, uint64_t& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end && *end == 0 && end != text && value <= 0xFFFFFFFFu;
}

void PrintLine(const std::u16string& text) {
    std::fputs(Utf16ToUtf8(text + u"\n").c_str(), stdout);
}

}  // namespace

int AdvanceCommand(int argc, char** argv) {
    if (argc < 1) return AdvanceUsage();
    const char* image = argv[0];
    uint64_t start = 0, count = 0, volume = 0;
    uint16_t type = 0;
    bool timing = false;
    for (int i = 1; i < argc; i += 2) {
        if (std::string(argv[i]) == "--timing") {
            timing = true;
            --i;
            continue;
        }
        if (i + 1 >= argc) return AdvanceUsage();
        std::string option = argv[i];
        const char* value = argv[i + 1];
        if (option == "--type") {
            std::string t = value;
            type = t == "fat16" ? kFat16 : t == "fat32" ? kFat32 : t == "ntfs" ? kNtfs : 0;
            if (!type) return AdvanceUsage();
        } else if (option == "--start") {
            if (!ParseCount(value, start)) return AdvanceUsage();
        } else if (option == "--count") {
            if (!ParseCount(value, count) || count == 0) return AdvanceUsage();
        } else if (option == "--volume") {
            if (!ParseCount(value, volume) || volume == 0) return AdvanceUsage();
        } else {
            return AdvanceUsage();
        }
    }

    std::string error;
    if (!SelectImage(image, start, count, type, error)) {
        std::fprintf(stderr, "mulvara-harness: %s\n", error.c_str());
        return 1;
    }
    RecordingUi ui;
    const AdvanceTimes times = RunAdvanceScan(ui);
    if (timing)
        std::printf("timing\tsweep %.3f s\tanalysis %.3f s\tsectors %u\n", times.sweepSeconds,
                    times.analysisSeconds, unsigned(PartitionParameters.sectorCount));
    const auto labels = FoundVolumeLabels(ui);
    uint32_t position = 0;
    for (FoundVolume* v = FoundVolumeList.head; v; v = v->next, ++position)
        PrintLine(u"volume\t" + Decimal(position + 1) + u"\t" + labels[position] + u"\t" +
                  Decimal(v->type) + u"\t" + Decimal(v->values.sectorsPerCluster) + u"\t" +
                  Decimal(v->values.cluster0Sector) + u"\t" + Decimal(v->values.endSector));
    if (!volume) return 0;

    if (!ScanFoundVolume(ui, uint32_t(volume))) {
        std::fprintf(stderr, "mulvara-harness: no found volume %llu\n",
                     static_cast<unsigned long long>(volume));
        return 1;
    }
    for (const FoundItem& item : CollectFoundItems(ui)) PrintLine(FoundItemLine(item));
    std::printf("total\tfolders %u\tfiles %u\n", unsigned(FoldersFound), unsigned(FilesFound));
    return 0;
}
