// libFuzzer target: tar walks and gzip streams of any bytes (see format_inputs.h).
#include "format_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RunArchiveInput(data, size);
    return 0;
}
