// The inputs the page fuzz target once failed on, replayed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "page_input.h"

TEST(PageFuzzRegressions, InputsThatOnceFailedRunThrough) {
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(MULVARA_PAGE_REGRESSIONS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        RunPageInput(bytes.data(), bytes.size());
        ++replayed;
    }
    EXPECT_GE(replayed, 1);
}
