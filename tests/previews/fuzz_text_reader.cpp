// libFuzzer target: text files through the line reader (see format_inputs.h).
#include "format_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RunTextInput(data, size);
    return 0;
}
