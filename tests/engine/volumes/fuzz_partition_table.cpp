// libFuzzer target for the partition tables of a disk that is the input: the
// image-device volumes of its first sector, the table at sectors 0, 61 and
// 62 with the chain of extended tables, and the search for FAT32 boot
// sectors. The disk is a file presented as a physical drive, as the harness
// presents images.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine_state.h"
#include "engine_ui.h"
#include "device/image_devices.h"
#include "volumes/partition_table.h"
#include "device/sector_access.h"

namespace {

// Answers the question whether to search although partitions are known.
class SearchingUi : public EngineUi {
public:
    int AskPartitionChoice() override { return 1; }
};

std::string ImagePath() {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder && *folder ? folder : "/tmp") + "/mulvara-fuzz-disk-" +
           std::to_string(getpid()) + ".img";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = ImagePath();
    static SearchingUi ui;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size && std::fwrite(data, 1, size, file) != size) std::abort();
    if (std::fclose(file) != 0) std::abort();

    ResetEngineState();
    SetEngineUi(&ui);
    UseImageDevices(path);  // the file becomes physical drive 0
    const uint64_t sectors = size / kSectorSize;
    for (uint32_t table : {62u, 61u, 0u}) ScanPartitionTable(table);
    SearchPartitions(DiskGeometry{sectors / 63 + 1, 1, 63});
    ClosePhysicalDrive();
    UseImageDevices("");
    SetEngineUi(nullptr);
    std::remove(path.c_str());
    return 0;
}
