// libFuzzer target for the volume geometry of a disk that is the input: the
// FAT16, FAT32 and NTFS boot sectors with their backups, and the FAT
// parameter search from directory sectors where the boot sector fails.
#include <cstdint>

#include "volumes/boot_params.h"
#include "engine_state.h"
#include "scan_control.h"
#include "memory_device.h"
#include "device/sector_access.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResetEngineState();
    const uint64_t sectors = AdoptMemoryDevice(data, size)->Size() / kSectorSize;
    for (uint16_t type : {kFat16, kFat32, kNtfs}) {
        PartitionParameters = {};
        PartitionParameters.chosenType = type;
        PartitionParameters.sectorCount = uint32_t(sectors);
        PartitionParameters.endSector = uint32_t(sectors - 1);
        if (!ReadBootParameters()) SearchPartitionParameters();
        ScanStopFlag = 0;
    }
    ClosePhysicalDrive();
    return 0;
}
