// The zip directory and entry reader over archives written by the tests,
// with the extra fields and damage each case needs.
#include <gtest/gtest.h>

#include <memory>

#include "format_writers.h"
#include "zip_reader.h"

namespace {

// Counts the reads, so that a test can tell a cached lookup.
class CountingInput : public MemoryZipInput {
public:
    using MemoryZipInput::MemoryZipInput;
    bool ReadAt(uint64_t offset, void* buffer, size_t size) override {
        ++reads;
        return MemoryZipInput::ReadAt(offset, buffer, size);
    }
    int reads = 0;
};

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes Pattern(size_t size) {
    Bytes data(size);
    for (size_t i = 0; i < size; ++i) data[i] = uint8_t(i * 7 + i / 300);
    return data;
}

struct OpenReader {
    explicit OpenReader(const Bytes& zip) : bytes(zip) {
        auto owned = std::make_unique<CountingInput>(bytes.data(), bytes.size());
        input = owned.get();
        result = reader.Open(std::move(owned));
    }
    Bytes bytes;
    CountingInput* input = nullptr;
    ZipReaderCore reader;
    uint32_t result;
};

TEST(ZipReader, CountsEntriesAndRefusesIndexesPastThem) {
    OpenReader zip(MakeZip({{"a.txt", Text("alpha")}, {"b.txt", Text("beta")}}));
    ASSERT_EQ(zip.result, kZipOk);
    ZipEntryRecord record;
    ASSERT_EQ(zip.reader.GetEntry(-1, record), kZipOk);
    EXPECT_EQ(record.index, 2);
    EXPECT_EQ(record.name, "");
    EXPECT_EQ(zip.reader.GetEntry(2, record), kZipBadArgument);
    EXPECT_EQ(zip.reader.GetEntry(-2, record), kZipBadArgument);
}

TEST(ZipReader, CachesTheLastEntryAndRewindsToAnEarlierOne) {
    std::vector<ZipFixtureEntry> entries;
    for (int i = 0; i < 6; ++i) entries.push_back({"file" + std::to_string(i), Text("data" + std::to_string(i))});
    OpenReader zip(MakeZip(entries));
    ZipEntryRecord record;
    ASSERT_EQ(zip.reader.GetEntry(5, record), kZipOk);
    int reads = zip.input->reads;
    ASSERT_EQ(zip.reader.GetEntry(5, record), kZipOk);
    EXPECT_EQ(zip.input->reads, reads) << "the same entry again reads nothing";
    EXPECT_EQ(record.name, "file5");
    ASSERT_EQ(zip.reader.GetEntry(0, record), kZipOk);
    EXPECT_EQ(record.index, 0);
    EXPECT_EQ(record.name, "file0");
}

TEST(ZipReader, MapsExternalAttributes) {
    struct Case {
        uint32_t external, attributes;
    } cases[] = {
        {0, 0x81},                   // no upper half: normal and read-only
        {0x00800000, 0x80},          // writable by its owner
        {0x00800010, 0x90},          // DOS directory bit
        {0x40800000, 0x90},          // Unix directory
        {0x00800027, 0xA7},          // archive, hidden, system, read-only
        {0x00800001, 0x81},
    };
    for (const Case& c : cases) EXPECT_EQ(ZipEntryAttributes(c.external), c.attributes) << std::hex << c.external;
}

TEST(ZipReader, ReadsUnixTimesFromTheFirstUtRecord) {
    struct Case {
        const char* what;
        Bytes extra;
        bool modified, accessed, created;
    } cases[] = {
        {"modification only", ExtendedTimes(1, {1000}), true, false, false},
        {"all three", ExtendedTimes(7, {1000, 2000, 3000}), true, true, true},
        // fault: flags promise three times, the record holds one
        {"record shorter than its flags", ExtendedTimes(7, {1000}), true, false, false},
        // fault: the record claims more than the field holds
        {"record past the field", ExtendedTimes(7, {1000, 2000}, 200), false, false, false},
        {"no flags byte", ExtendedTimes(0, {}, 0), false, false, false},
    };
    for (const Case& c : cases) {
        Bytes extra = {0x0A, 0x00, 0x02, 0x00, 0x00, 0x00};  // another record first
        extra.insert(extra.end(), c.extra.begin(), c.extra.end());
        ZipEntryRecord record;
        ReadExtendedTimes(extra.data(), extra.size(), record);
        EXPECT_EQ(record.hasModified, c.modified) << c.what;
        EXPECT_EQ(record.hasAccessed, c.accessed) << c.what;
        EXPECT_EQ(record.hasCreated, c.created) << c.what;
        if (c.modified) {
            EXPECT_EQ(record.modified, 1000) << c.what;
        }
        if (c.accessed) {
            EXPECT_EQ(record.accessed, 2000) << c.what;
        }
    }
}

TEST(ZipReader, TakesTimesFromTheLocalExtraField) {
    ZipFixtureEntry entry{"t.txt", Text("times")};
    entry.localExtra = ExtendedTimes(1, {1700000000});
    OpenReader zip(MakeZip({entry}));
    ZipEntryRecord record;
    ASSERT_EQ(zip.reader.GetEntry(0, record), kZipOk);
    EXPECT_TRUE(record.hasModified);
    EXPECT_FALSE(record.hasAccessed);
    EXPECT_EQ(record.modified, 1700000000);
    EXPECT_EQ(record.dosDateTime, 0x5A8C6000u);
    EXPECT_EQ(UnixTimeToFileTimeUnits(0), 116444736000000000ULL);
}

TEST(ZipReader, ExtractsStoredAndDeflatedEntriesToMemory) {
    Bytes big = Pattern(70000);
    OpenReader zip(MakeZip({{"stored.bin", big}, {"packed.bin", big, true}, {"empty", {}}}));
    ASSERT_EQ(zip.result, kZipOk);
    for (int n = 0; n < 2; ++n) {
        Bytes out(big.size());
        EXPECT_EQ(zip.reader.ExtractToMemory(n, out.data(), out.size()), kZipMoreData) << n;
        EXPECT_EQ(out, big) << n;
        EXPECT_EQ(zip.reader.ExtractToMemory(n, out.data(), out.size()), kZipOk) << "then the end";
    }
    // In pieces, continuing where the last call stopped.
    Bytes pieces;
    uint8_t piece[1000];
    uint32_t result;
    while ((result = zip.reader.ExtractToMemory(1, piece, sizeof piece)) == kZipMoreData)
        pieces.insert(pieces.end(), piece, piece + std::min(sizeof piece, big.size() - pieces.size()));
    EXPECT_EQ(result, kZipOk);
    EXPECT_EQ(pieces, big);
    EXPECT_EQ(zip.reader.ExtractToMemory(2, piece, sizeof piece), kZipOk);
    EXPECT_EQ(zip.reader.ExtractToMemory(3, piece, sizeof piece), kZipBadArgument);
}

TEST(ZipReader, CopiesAnEntryInPieces) {
    Bytes big = Pattern(40000);
    OpenReader zip(MakeZip({{"packed.bin", big, true}}));
    Bytes copy;
    std::vector<size_t> sizes;
    EXPECT_EQ(zip.reader.CopyEntry(0, [&](const uint8_t* data, size_t size) {
        copy.insert(copy.end(), data, data + size);
        sizes.push_back(size);
        return true;
    }), kZipOk);
    EXPECT_EQ(copy, big);
    EXPECT_EQ(sizes.front(), 16384u);
    EXPECT_EQ(zip.reader.CopyEntry(0, [](const uint8_t*, size_t) { return false; }), kZipCopyFailed);
}

TEST(ZipReader, RefusesEntriesItCannotDecode) {
    ZipFixtureEntry encrypted{"secret", Text("xxxx")};
    encrypted.flags = 1;
    ZipFixtureEntry bzip{"bz", Text("yyyy")};
    bzip.method = 12;
    OpenReader zip(MakeZip({encrypted, bzip, {"bad.bin", Pattern(5000), true}}));
    // The third entry's compressed data damaged in the middle.
    size_t thirdData = (30 + 6 + 4) + (30 + 2 + 4) + (30 + 7);
    zip.bytes[thirdData + 100] ^= 0xFF;
    uint8_t out[6000];
    EXPECT_EQ(zip.reader.ExtractToMemory(0, out, sizeof out), kZipInflateFailed);
    EXPECT_EQ(zip.reader.ExtractToMemory(1, out, sizeof out), kZipInflateFailed);
    uint32_t first = zip.reader.ExtractToMemory(2, out, sizeof out);
    uint32_t last = first == kZipMoreData ? zip.reader.ExtractToMemory(2, out, sizeof out) : first;
    EXPECT_EQ(last, kZipInflateFailed) << "damage shows at the latest in the checksum";
    EXPECT_EQ(zip.reader.CopyEntry(0, [](const uint8_t*, size_t) { return true; }), kZipCopyFailed);
}

TEST(ZipReader, ChecksTheLocalHeaderAgainstTheDirectory) {
    OpenReader zip(MakeZip({{"a.txt", Text("alpha")}}));
    zip.bytes[8] = 8;  // the local header says deflated
    ZipEntryRecord record;
    EXPECT_EQ(zip.reader.GetEntry(0, record), kZipLocalHeaderMismatch);

    ZipFixtureEntry entry{"b.txt", Text("beta")};
    entry.localExtra = ExtendedTimes(1, {5});
    OpenReader past(MakeZip({entry}));
    past.bytes[28] = 0xFF;  // a local extra field running past the archive
    past.bytes[29] = 0xFF;
    EXPECT_EQ(past.reader.GetEntry(0, record), kZipExtraUnreadable);
}

TEST(ZipReader, GivesNoDirectoryForABrokenEndRecord) {
    Bytes good = MakeZip({{"a.txt", Text("alpha")}, {"b.txt", Text("beta")}});
    struct Case {
        const char* what;
        size_t offset;
        uint8_t value;
    } cases[] = {
        {"no end signature", 0, 0},
        {"directory past the end record", 16, 0xF0},
        {"counts that disagree", 8, 1},
        {"more entries than records", 10, 3},
        {"directory bigger than the archive", 15, 0x7F},
        {"another disk", 4, 1},
    };
    for (const Case& c : cases) {
        Bytes bytes = good;
        bytes[EndRecord(bytes) + c.offset] = c.value;
        if (c.offset == 10) bytes[EndRecord(bytes) + 8] = c.value;
        ZipReaderCore reader;
        EXPECT_NE(reader.Open(std::make_unique<MemoryZipInput>(bytes.data(), bytes.size())), kZipOk) << c.what;
        EXPECT_FALSE(reader.IsOpen()) << c.what;
    }
    // A record that runs past the directory.
    Bytes bytes = good;
    size_t directory = bytes[EndRecord(bytes) + 16] | bytes[EndRecord(bytes) + 17] << 8;
    bytes[directory + 28] = 0xFF;
    ZipReaderCore reader;
    EXPECT_NE(reader.Open(std::make_unique<MemoryZipInput>(bytes.data(), bytes.size())), kZipOk);
    // Too short for an end record at all, and an empty archive that is whole.
    Bytes tiny = {'P', 'K', 5, 6};
    ZipReaderCore small;
    EXPECT_NE(small.Open(std::make_unique<MemoryZipInput>(tiny.data(), tiny.size())), kZipOk);
    Bytes empty = MakeZip({});
    ZipReaderCore none;
    EXPECT_EQ(none.Open(std::make_unique<MemoryZipInput>(empty.data(), empty.size())), kZipOk);
    EXPECT_EQ(none.Count(), 0);
}

TEST(ZipReader, FindsTheEndRecordBehindAComment) {
    Bytes zip = MakeZip({{"a.txt", Text("alpha")}});
    zip[zip.size() - 2] = 0xFF;
    zip[zip.size() - 1] = 0xFF;
    zip.resize(zip.size() + 0xFFFF, 'c');
    ZipReaderCore reader;
    EXPECT_EQ(reader.Open(std::make_unique<MemoryZipInput>(zip.data(), zip.size())), kZipOk);
    EXPECT_EQ(reader.Count(), 1);
    zip.push_back('c');  // one byte more: the record is out of reach
    ZipReaderCore far;
    EXPECT_NE(far.Open(std::make_unique<MemoryZipInput>(zip.data(), zip.size())), kZipOk);
}

TEST(ZipReader, KeepsExtractionInsideTheBaseFolder) {
    struct Case {
        const char* folder;
        bool safe;
    } cases[] = {
        {"", true}, {"sub", true}, {"sub/deeper\\x", true}, {"a..b/c", true},
        {"/etc", false}, {"\\windows", false}, {"C:stuff", false}, {"../up", false},
        {"sub/../../up", false}, {"sub\\..", false}, {"..", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsSafeArchiveFolder(c.folder), c.safe) << c.folder;
    EXPECT_EQ(ArchiveFolderChain("a/b\\c"), (std::vector<std::string>{"a", "a/b", "a/b\\c"}));
    EXPECT_EQ(ArchiveFolderChain("a/b/"), (std::vector<std::string>{"a", "a/b"}));
    EXPECT_TRUE(ArchiveFolderChain("").empty());
}

}  // namespace
