// mulvara-harness partitions IMAGE [--search]: the FAT partitions the drive
// page would list, one line each: partition, number, first sector, sector
// count, file system.
#include <cstdio>
#include <string>

#include "commands.h"
#include "volumes/partition_table.h"
#include "partition_choice.h"

int PartitionsCommand(int argc, char** argv) {
    const char* image = Positional("partitions", "IMAGE", argc, argv, 0);
    if (!image) return kExitUsage;
    bool search = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) != "--search")
            return UnknownArgument("partitions", argv[i]);
        search = true;
    }
    std::string error;
    if (!ListImagePartitions(image, search, error)) {
        ShowError(error);
        return kExitUnusable;
    }
    for (int i = 0; i < PartitionCount; ++i)
        std::printf("partition\t%d\t%u\t%u\t%s\n", i + 1, unsigned(PartitionTable[i].startSector),
                    unsigned(PartitionTable[i].sectorCount),
                    PartitionTypeName(PartitionTable[i].fileSystemType));
    std::printf("total\tpartitions %d\n", PartitionCount);
    return kExitDone;
}
