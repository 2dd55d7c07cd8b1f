// libFuzzer target: Photoshop files decoded to RGB rows (see format_inputs.h).
#include "format_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RunPsdInput(data, size);
    return 0;
}
