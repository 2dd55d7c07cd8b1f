// The format fuzz targets' seeds and the inputs they once failed on,
// replayed under the sanitizers: one folder per target under fuzz_corpus
// and fuzz_regressions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "format_inputs.h"

namespace {

int Replay(const char* target, void (*run)(const uint8_t*, size_t)) {
    int replayed = 0;
    for (const char* set : {"fuzz_corpus", "fuzz_regressions"}) {
        std::filesystem::path folder = std::filesystem::path(MULVARA_FORMAT_INPUTS) / set / target;
        if (!std::filesystem::exists(folder)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            SCOPED_TRACE(entry.path().string());
            run(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    return replayed;
}

TEST(FormatFuzzInputs, SeedsAndInputsThatOnceFailedRunThrough) {
    EXPECT_GE(Replay("fuzz_zip_reader", RunZipInput), 1);
    EXPECT_GE(Replay("fuzz_archive_reader", RunArchiveInput), 1);
    EXPECT_GE(Replay("fuzz_psd", RunPsdInput), 1);
    EXPECT_GE(Replay("fuzz_dbf", RunDbfInput), 1);
    EXPECT_GE(Replay("fuzz_text_reader", RunTextInput), 1);
}

}  // namespace
