// Decodes arbitrary bytes as a snapshot; a sound file is encoded again and
// must come out the same.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "snapshot/snapshot_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SnapshotContents contents;
    if (DecodeSnapshot(data, size, contents) != SnapshotStatus::Ok) return 0;
    std::vector<uint8_t> again = EncodeSnapshot(contents);
    SnapshotContents second;
    if (DecodeSnapshot(again.data(), again.size(), second) != SnapshotStatus::Ok) std::abort();
    if (EncodeSnapshot(second) != again) std::abort();
    return 0;
}
