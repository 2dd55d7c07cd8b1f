// libFuzzer target: the zip reader over a memory block (see format_inputs.h).
#include "format_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RunZipInput(data, size);
    return 0;
}
