// libFuzzer target for the browser's portable core (see page_input.h).
#include "page_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RunPageInput(data, size);
    return 0;
}
