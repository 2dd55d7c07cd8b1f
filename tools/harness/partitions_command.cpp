// mulvara-harness partitions IMAGE [--search]: the FAT partitions the drive
// page would list, one line each: partition, number, first sector, sector
// count, file system.
#include <cstdio>
#include <string>

#include "commands.h"
#include "engine_state.h"
#include "partition_choice.h"

int PartitionsCommand(int argc, char** argv) {
    if (argc < 1 || argc > 2) return Usage();
    bool search = false;
    if (argc == 2) {
        if (std::string(argv[1]) != "--search") return Usage();
        search = true;
    }
    std::string error;
    if (!ListImagePartitions(argv[0], search, error)) {
        std::fprintf(stderr, "mulvara-harness: %s\n", error.c_str());
        return 1;
    }
    for (int i = 0; i < PartitionCount; ++i)
        std::printf("partition\t%d\t%u\t%u\t%s\n", i + 1, unsigned(PartitionTable[i].startSector),
                    unsigned(PartitionTable[i].sectorCount),
                    PartitionTypeName(PartitionTable[i].fileSystemType));
    std::printf("total\tpartitions %d\n", PartitionCount);
    return 0;
}
