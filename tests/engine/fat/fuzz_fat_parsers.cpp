// libFuzzer target for the parsers that read bytes from disk: directory
// sectors (with a previous sector for long names) and boot sectors with the
// parameter search over a small device made of the input.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "volumes/boot_params.h"
#include "found_lists.h"
#include "scan_control.h"
#include "engine_state.h"
#include "fat/fat_dir.h"
#include "memory_device.h"
#include "device/sector_access.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResetEngineState();
    uint8_t previous[512] = {}, sector[512] = {};
    std::memcpy(sector, data, size < 512 ? size : 512);
    if (size > 512) std::memcpy(previous, data + 512, size - 512 < 512 ? size - 512 : 512);
    for (uint16_t type : {kFat16, kFat32}) {
        PartitionParameters.scannedType = type;
        PartitionParameters.sectorsPerCluster = data && size ? data[0] : 0;
        PartitionParameters.sectorCount = 4096;
        int end = 0;
        ParseFatDirSector(sector, 7, end, 1, 0, 0, size > 512 ? previous : nullptr);
        FreeStandardScanLists();
    }

    auto device = std::make_unique<MemoryDevice>(64);
    std::memcpy(device->bytes.data(), data, size < device->bytes.size() ? size : device->bytes.size());
    AdoptPhysicalDrive(std::move(device));
    for (uint16_t type : {kFat16, kFat32, kNtfs}) {
        PartitionParameters.chosenType = type;
        PartitionParameters.startSector = 0;
        PartitionParameters.sectorCount = 64;
        PartitionParameters.endSector = 63;
        if (!ReadBootParameters()) SearchPartitionParameters();
        ScanStopFlag = 0;
    }
    ClosePhysicalDrive();
    return 0;
}
