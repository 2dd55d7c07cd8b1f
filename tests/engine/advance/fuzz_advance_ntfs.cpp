// libFuzzer target for the Advance Scan of NTFS over a disk that is the
// input: the sweep for boot sectors, FILE records and INDX buffers, the
// volumes rebuilt from them and the listing of the first one.
#include <cstdint>

#include "advance/advance_lists.h"
#include "advance/advance_scan.h"
#include "engine_state.h"
#include "scan_control.h"
#include "volumes/boot_params.h"
#include "advance/found_volume_scan.h"
#include "memory_device.h"
#include "device/sector_access.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResetEngineState();
    const uint64_t sectors = AdoptMemoryDevice(data, size)->Size() / kSectorSize;
    ScanMode = kAdvanceScan;
    PartitionParameters.chosenType = kNtfs;
    PartitionParameters.sectorCount = uint32_t(sectors);
    PartitionParameters.endSector = uint32_t(sectors - 1);
    SweepNtfsStructures();
    FinishAdvanceScan();
    if (PickFoundVolume(1)) FileSystemScanThread();
    ClosePhysicalDrive();
    ResetEngineState();
    return 0;
}
