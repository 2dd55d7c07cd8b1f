// FAT cluster chains.
#pragma once

#include <cstdint>
#include <vector>

// The clusters of the file or directory being read; refilled by every walk.
extern std::vector<uint32_t> ClusterChain;

constexpr uint32_t kDirectoryChainLimit = 100;
// FAT allows a directory 65,536 entries of 32 bytes.
constexpr uint64_t kLargestDirectoryBytes = 65536 * 32;

void AppendCluster(uint32_t cluster);
uint32_t ComposeCluster(uint8_t byte26, uint8_t byte27, uint8_t byte20, uint8_t byte21);

// Walks the chain from firstCluster through FAT copy 1 or 2. Ends at an end
// mark, a free, reserved, bad or out-of-range entry, a failed read, a cycle,
// or when the chain holds more than count clusters (count + 1 then tells the
// caller the chain is longer than the file).
void BuildClusterChain(uint32_t firstCluster, uint32_t count, int fatCopy);
// The same over FAT 1 for a directory, ignoring the recovery's stop flags:
// at most the clusters of the largest directory FAT allows, and never fewer
// than 100.
void BuildClusterChainLimited(uint32_t firstCluster);

// The highest cluster number the selected volume can hold.
uint32_t LastClusterOfVolume();
