// libFuzzer target for the compound-file reader that names a carved Office
// document by the application in its summary information.
#include <cstdint>
#include <string>

#include "raw/compound_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string appName;
    ReadCompoundAppName(data, size, appName);
    return 0;
}
