// libFuzzer target: dBASE tables and the drawing exchange header test (see format_inputs.h).
#include "format_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RunDbfInput(data, size);
    return 0;
}
