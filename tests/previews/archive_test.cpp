// Tar walks over archives written by the tests, octal fields, and reading
// whole gzip streams with a bound.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "format_writers.h"
#include "tar_archive.h"
#include "test_images.h"

namespace {

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes TwoFileTar() {
    Bytes tar = TarMember("one.txt", Text("first file"));
    Bytes second = TarMember("dir/two.txt", Bytes(700, 'x'), '0', UINT64_MAX, 1700000000);
    tar.insert(tar.end(), second.begin(), second.end());
    tar.resize(tar.size() + 1024, 0);  // the end-of-archive blocks
    return tar;
}

TEST(TarArchive, ParsesOctalFields) {
    struct Case {
        std::string field;
        uint64_t value;
    } cases[] = {
        {"  0000644 ", 420}, {"        ", 0}, {"", 0}, {std::string("0000644\0" "77", 10), 420},
        {"12x4", 10}, {"\t 17", 15}, {"77777777777", 8589934591ULL},  // over 32 bits
        {"7777777777777777777777777", UINT64_MAX},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseOctalField(c.field.data(), c.field.size()), c.value) << c.field;
}

TEST(TarArchive, CountsAndFindsEntries) {
    Bytes tar = TwoFileTar();
    EXPECT_TRUE(IsTarArchive(tar.data(), tar.size()));
    EXPECT_EQ(CountTarEntries(tar.data(), tar.size()), 2);
    TarEntry entry;
    ASSERT_EQ(FindTarEntry(tar.data(), tar.size(), 1, entry), TarLookup::kFound);
    EXPECT_EQ(entry.name, "dir/two.txt");
    EXPECT_EQ(entry.length, 700u);
    EXPECT_EQ(entry.data, tar.data() + 1024 + 512);
    EXPECT_TRUE(entry.isFile);
    EXPECT_STREQ(entry.typeText, "regular file");
    EXPECT_EQ(entry.modified, 1700000000u);
    // The end block is reached but is no entry; one further is past it.
    EXPECT_EQ(FindTarEntry(tar.data(), tar.size(), 2, entry), TarLookup::kNotAnEntry);
    EXPECT_EQ(FindTarEntry(tar.data(), tar.size(), 3, entry), TarLookup::kInvalidPosition);
}

TEST(TarArchive, NamesEntryTypes) {
    struct Case {
        char flag;
        bool isFile;
        const char* text;
    } cases[] = {
        {'0', true, "regular file"}, {'\0', true, "regular file"}, {'1', false, "link"},
        {'2', false, "reserved"}, {'7', false, "reserved"}, {'3', false, "character special"},
        {'4', false, "block special"}, {'5', false, "directory"}, {'6', false, "FIFO special"},
        {'x', false, nullptr},
    };
    for (const Case& c : cases) {
        Bytes tar = TarMember("name", {}, c.flag);
        TarEntry entry;
        ASSERT_EQ(FindTarEntry(tar.data(), tar.size(), 0, entry), TarLookup::kFound) << c.flag;
        EXPECT_EQ(entry.isFile, c.isFile) << c.flag;
        if (c.text) EXPECT_STREQ(entry.typeText, c.text) << c.flag;
        else EXPECT_EQ(entry.typeText, nullptr);
    }
}

// fault: sizes from the header are checked against the data held.
TEST(TarArchive, SizesPastTheDataAreInvalid) {
    Bytes tar = TarMember("one.txt", Text("first"));
    Bytes huge = TarMember("huge", Text("tiny"), '0', 077777777777ULL);
    tar.insert(tar.end(), huge.begin(), huge.end());
    EXPECT_EQ(CountTarEntries(tar.data(), tar.size()), 1);
    TarEntry entry;
    EXPECT_EQ(FindTarEntry(tar.data(), tar.size(), 1, entry), TarLookup::kInvalidPosition);
    EXPECT_EQ(FindTarEntry(tar.data(), tar.size(), 2, entry), TarLookup::kInvalidPosition);
    // A header cut short by the end of the data.
    EXPECT_EQ(FindTarEntry(tar.data(), 700, 1, entry), TarLookup::kInvalidPosition);
    EXPECT_FALSE(IsTarArchive(tar.data(), 511));
}

void WriteGzip(const std::string& path, const Bytes& data) {
    gzFile file = gzopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(gzwrite(file, data.data(), unsigned(data.size())), int(data.size()));
    gzclose(file);
}

TEST(GzipReadAll, ReadsTheWholeStreamInChunks) {
    std::string path = TemporaryFolder() + "/read_all.gz";
    Bytes data(100000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i % 251);
    WriteGzip(path, data);
    gzFile file = gzopen(path.c_str(), "rb");
    Bytes out;
    EXPECT_TRUE(GzipReadAll(file, 300, kGzipReadCap, out));
    gzclose(file);
    EXPECT_EQ(out, data);
    // Content under 512 bytes is never a tar archive.
    EXPECT_FALSE(IsTarArchive(out.data(), 300));
    remove(path.c_str());
}

// fault: a small file that expands without bound is given up past the cap.
TEST(GzipReadAll, StopsPastTheCap) {
    std::string path = TemporaryFolder() + "/bomb.gz";
    WriteGzip(path, Bytes(3 << 20, 0));
    gzFile file = gzopen(path.c_str(), "rb");
    Bytes out;
    EXPECT_FALSE(GzipReadAll(file, 4096, 1 << 20, out));
    EXPECT_TRUE(out.empty());
    gzclose(file);
    gzFile again = gzopen(path.c_str(), "rb");
    EXPECT_TRUE(GzipReadAll(again, 4096, 4 << 20, out));
    EXPECT_EQ(out.size(), size_t(3 << 20));
    gzclose(again);
    remove(path.c_str());
}

}  // namespace
