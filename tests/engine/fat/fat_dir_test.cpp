// Directory sectors written byte by byte: short names, long names, deleted
// entries and the name check.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "found_lists.h"
#include "volumes/boot_params.h"
#include "engine_state.h"
#include "fat/fat_dir.h"
#include "text.h"

namespace {

struct SectorBuilder {
    uint8_t bytes[512] = {};

    uint8_t* Entry(int i) { return bytes + i * 32; }

    void Short(int i, const char* name11, uint8_t attributes, uint32_t cluster, uint32_t size = 0) {
        uint8_t* e = Entry(i);
        std::memcpy(e, name11, 11);
        e[11] = attributes;
        e[26] = uint8_t(cluster);
        e[27] = uint8_t(cluster >> 8);
        e[20] = uint8_t(cluster >> 16);
        e[21] = uint8_t(cluster >> 24);
        std::memcpy(e + 28, &size, 4);
    }

    // One long-name entry holding 13 characters of `part` (0-terminated and
    // 0xFFFF-padded when shorter).
    void Long(int i, uint8_t sequence, const std::u16string& part) {
        static const int offsets[13] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};
        uint8_t* e = Entry(i);
        e[0] = sequence;
        e[11] = 0x0F;
        for (int k = 0; k < 13; ++k) {
            uint16_t c = k < int(part.size()) ? part[k] : k == int(part.size()) ? 0 : 0xFFFF;
            e[offsets[k]] = uint8_t(c);
            e[offsets[k] + 1] = uint8_t(c >> 8);
        }
    }
};

class DirectorySector : public testing::Test {
protected:
    void SetUp() override {
        ResetEngineState();
        PartitionParameters.scannedType = kFat32;
        PartitionParameters.sectorsPerCluster = 1;
        PartitionParameters.sectorCount = 1000;
    }
    void TearDown() override { ResetEngineState(); }

    std::vector<std::pair<std::u16string, uint32_t>> Files() {
        std::vector<std::pair<std::u16string, uint32_t>> files;
        for (FatFileEntry* f = FatFileList.head; f; f = f->next) files.push_back({f->name, f->deleted});
        return files;
    }
};

TEST_F(DirectorySector, ShortNamesAndTheirExtensions) {
    struct Case {
        const char* raw;
        const char16_t* listed;
    } cases[] = {
        {"README  TXT", u"README.TXT"},
        {"MAKEFILE   ", u"MAKEFILE"},
        {"SONG     MP", u"SONGMP"},  // extension beginning with a blank: no dot
        {"A B     C D", u"AB.CD"},
    };
    SectorBuilder s;
    for (int i = 0; i < 4; ++i) s.Short(i, cases[i].raw, 0x20, 10 + i, 5);
    int end = 0;
    ParseFatDirSector(s.bytes, 0, end, 99, 0, 0);
    auto files = Files();
    ASSERT_EQ(files.size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(files[i].first, cases[i].listed) << cases[i].raw;
    EXPECT_EQ(end, 1);  // entry 4 is empty
    EXPECT_EQ(FilesFound, 4u);
    EXPECT_EQ(TotalFoundSize, 20u);
}

TEST_F(DirectorySector, DeletedEntriesKeepTheirLongNameOrShowAnX) {
    SectorBuilder s;
    s.Short(0, "\xE5" "OST    TXT", 0x20, 20);  // no long name
    s.Long(1, 0xE5, u"Gone but not ");
    s.Long(2, 0xE5, u"Deleted.txt");  // sequence bytes no longer match
    // Long-name entries come before their short entry, last part first.
    std::swap_ranges(s.Entry(1), s.Entry(1) + 32, s.Entry(2));
    s.Short(3, "\xE5" "ONEBU~1TXT", 0x20, 21);
    int end = 0;
    ParseFatDirSector(s.bytes, 0, end, 99, 0, 0);
    auto files = Files();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0], std::make_pair(std::u16string(u"xOST.TXT"), 1u));
    EXPECT_EQ(files[1], std::make_pair(std::u16string(u"Gone but not Deleted.txt"), 1u));
}

TEST_F(DirectorySector, LongNameOfExactlyThirteenCharactersEndsAtTheLastEntryMark) {
    SectorBuilder s;
    s.Long(0, 0x42, u"Unrelated");
    s.Long(1, 0x41, u"Thirteen1.txt");
    s.Short(2, "THIRTE~1TXT", 0x20, 5);
    int end = 0;
    ParseFatDirSector(s.bytes, 0, end, 99, 0, 0);
    ASSERT_EQ(Files().size(), 1u);
    EXPECT_EQ(Files()[0].first, u"Thirteen1.txt");
}

TEST_F(DirectorySector, LongNameBeginningInThePreviousSector) {
    SectorBuilder previous, current;
    std::u16string name = u"A name that is split over two sectors.bin";  // 41 characters
    previous.Long(14, 0x44, name.substr(39));
    previous.Long(15, 0x03, name.substr(26, 13));
    current.Long(0, 0x02, name.substr(13, 13));
    current.Long(1, 0x01, name.substr(0, 13));
    current.Short(2, "ANAMET~1BIN", 0x20, 7);
    int end = 0;
    ParseFatDirSector(current.bytes, 0, end, 99, 0, 0, previous.bytes);
    ASSERT_EQ(Files().size(), 1u);
    EXPECT_EQ(Files()[0].first, name);
}

TEST_F(DirectorySector, EntriesThatAreNotListed) {
    SectorBuilder s;
    s.Short(0, "EMPTY   TXT", 0x20, 0);     // no cluster: empty file
    s.Short(1, "LABEL      ", 0x08, 0);     // volume label
    s.Short(2, "BAD?NAMETXT", 0x20, 30);    // question mark
    s.Short(3, "TAB\tNAMETXT", 0x20, 31);   // control character
    s.Short(4, "DRIVE:  TXT", 0x20, 32);    // a colon is allowed
    s.Short(5, "SUBDIR     ", 0x10, 33);
    int end = 0;
    ParseFatDirSector(s.bytes, 77, end, 99, 0, 0);
    auto files = Files();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].first, u"DRIVE:.TXT");
    ASSERT_NE(FatFolderList.head, nullptr);
    EXPECT_EQ(std::u16string(FatFolderList.head->name), u"SUBDIR");
    EXPECT_EQ(FatFolderList.head->parentCluster, 77u);
    EXPECT_EQ(FatFolderList.head->cluster, 33u);
}

TEST_F(DirectorySector, Fat32ClusterUsesTheHighWordAndFat16DoesNot) {
    SectorBuilder s;
    s.Short(0, "BIG     BIN", 0x20, 0x00050003);
    int end = 0;
    ParseFatDirSector(s.bytes, 0, end, 99, 0, 0);
    ASSERT_NE(FatFileList.head, nullptr);
    EXPECT_EQ(FatFileList.head->firstCluster, 0x00050003u);
    FreeStandardScanLists();
    PartitionParameters.scannedType = kFat16;
    ParseFatDirSector(s.bytes, 0, end, 99, 0, 0);
    ASSERT_NE(FatFileList.head, nullptr);
    EXPECT_EQ(FatFileList.head->firstCluster, 3u);
}

TEST_F(DirectorySector, ProgressWithARangeSmallerThanOneCluster) {
    PartitionParameters.sectorsPerCluster = 64;
    PartitionParameters.sectorCount = 10;
    SectorBuilder s;
    s.Short(0, "ONE     TXT", 0x20, 3);
    int end = 0;
    ParseFatDirSector(s.bytes, 0, end, 99, 0, 0);  // must not divide by zero
    EXPECT_EQ(EntriesParsed, 1u);
}

TEST(FileNameCheck, Table) {
    struct Case {
        const char16_t* name;
        int valid;
    } cases[] = {
        {u"plain.txt", 1}, {u"a:b", 1},       {u"\u00e9t\u00e9.doc", 1}, {u"what?", 0},
        {u"tab\there", 0}, {u"back\\slash", 0}, {u"sl/ash", 0},          {u"st*r", 0},
        {u"q\"uote", 0},   {u"<less", 0},     {u"more>", 0},             {u"pi|pe", 0},
        {u"\x1f", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(IsValidFileName(c.name), c.valid) << Utf16ToUtf8(c.name);
}

}  // namespace
