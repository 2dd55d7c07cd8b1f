// The program's own "Raw.dat": every type a user of an iPod or a camera card
// expects is there, files made by Debian's tools are recognised by their
// first sector, and sectors of other data are left alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "device/sector_access.h"
#include "engine_state.h"
#include "raw/file_type_choice.h"
#include "raw/raw_lists.h"
#include "raw/signature_match.h"
#include "test_images.h"
#include "text.h"

namespace {

class ShippedTable : public testing::Test {
protected:
    void SetUp() override {
        ResetEngineState();
        ASSERT_EQ(1, LoadRawSignatureFile(tree)) << "Raw.dat beside the test program";
        BuildSignatureList(tree, FileTypeTree::kRoot);
    }
    void TearDown() override { FreeSignatureList(); }
    FileTypeTree tree;
};

TEST_F(ShippedTable, HoldsTheExpectedTypes) {
    std::set<std::string> extensions;
    for (SignatureEntry* e = SignatureList.head; e; e = e->next) {
        extensions.insert(Narrow(e->extension));
        EXPECT_GE(e->signatureLength, 2u);
        EXPECT_LE(e->signatureLength, 15u) << "only a sector's first 15 bytes are compared";
        EXPECT_EQ(2 * e->signatureLength, std::string(e->signature).size());
    }
    for (const char* wanted :
         {".jpg", ".png", ".gif", ".bmp", ".tif", ".psd", ".pdf", ".zip", ".docx", ".xlsx", ".pptx",
          ".doc", ".xls", ".ppt", ".pub", ".rtf", ".htm", ".xml", ".mp3", ".wav", ".avi", ".mid",
          ".mpg", ".mov", ".mp4", ".m4a", ".wma", ".wmv", ".flac", ".ogg", ".rar", ".7z", ".gz",
          ".cab", ".dbf", ".mdb", ".pst", ".eml", ".dxf", ".dwg"})
        EXPECT_TRUE(extensions.count(wanted)) << wanted;
    // ".doc" precedes the other compound documents so that its hits go
    // through the Office detection.
    for (SignatureEntry* e = SignatureList.head; e; e = e->next) {
        if (std::string(e->signature) != "D0CF11E0A1B11AE1") continue;
        EXPECT_EQ(".doc", Narrow(e->extension));
        break;
    }
}

TEST_F(ShippedTable, FilesMadeByDebianToolsAreRecognisedByTheirFirstSector) {
    const std::map<std::string, std::string>& expected = RawSampleTypes();
    const SignatureMatcher matcher;
    const std::string folder = ImagesFolder() + "/raw-samples";
    size_t seen = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        std::string name = file.path().filename().string();
        std::vector<uint8_t> sector = ReadBytes(file.path().string(), 0, kSectorSize);
        sector.resize(kSectorSize, 0);
        const SignatureEntry* hit = matcher.Match(sector.data(), sector.size());
        ASSERT_TRUE(expected.count(name)) << name;
        ASSERT_NE(nullptr, hit) << name;
        EXPECT_EQ(expected.at(name), Narrow(hit->extension)) << name;
        ++seen;
    }
    EXPECT_EQ(expected.size(), seen);
}

TEST_F(ShippedTable, VolumesOfTextFilesAndFoldersCarveNothing) {
    const SignatureMatcher matcher;
    std::vector<uint8_t> image = ReadBytes(ImagePath("fat32_s1"), 0, 64u << 20);
    ASSERT_EQ(size_t(64u << 20), image.size());
    for (size_t at = 0; at < image.size(); at += kSectorSize)
        EXPECT_EQ(nullptr, matcher.Match(&image[at], kSectorSize)) << "sector " << at / kSectorSize;
}

TEST(SignatureMatching, FirstEntryInListOrderWinsAndBadEntriesNeverMatch) {
    ResetEngineState();
    FreeSignatureList();
    AddSignatureEntry(u".bad", u"Odd length", 2, "ABC", 0);
    AddSignatureEntry(u".mismatch", u"Length disagrees", 3, "4142", 0);
    AddSignatureEntry(u".none", u"No bytes", 0, "", 0);
    AddSignatureEntry(u".ab", u"First", 2, "4142", 0);
    AddSignatureEntry(u".abc", u"Second", 3, "414243", 0);
    AddSignatureEntry(u".lower", u"Lower case", 2, "6a6b", 0);
    const SignatureMatcher matcher;
    uint8_t sector[kSectorSize] = {'A', 'B', 'C'};
    ASSERT_NE(nullptr, matcher.Match(sector, sizeof sector));
    EXPECT_EQ(u".ab", std::u16string(matcher.Match(sector, sizeof sector)->extension));
    sector[0] = 'j', sector[1] = 'k';
    ASSERT_NE(nullptr, matcher.Match(sector, sizeof sector));
    EXPECT_EQ(u".lower", std::u16string(matcher.Match(sector, sizeof sector)->extension));
    uint8_t zeros[kSectorSize] = {};
    EXPECT_EQ(nullptr, matcher.Match(zeros, sizeof zeros));
    FreeSignatureList();
}

}  // namespace
