// libFuzzer target for the Standard Scan of an NTFS volume whose disk is the
// input: the boot sector's geometry, the MFT's extents from record 0 and its
// attribute list, every record of them and the listing of the root.
#include <cstdint>

#include "volumes/boot_params.h"
#include "engine_state.h"
#include "memory_device.h"
#include "device/sector_access.h"
#include "standard_scan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResetEngineState();
    const uint64_t sectors = AdoptMemoryDevice(data, size)->Size() / kSectorSize;
    PartitionParameters.chosenType = kNtfs;
    PartitionParameters.sectorCount = uint32_t(sectors);
    PartitionParameters.endSector = uint32_t(sectors - 1);
    if (ReadBootParameters()) ScanMftRecords();
    ClosePhysicalDrive();
    ResetEngineState();
    return 0;
}
