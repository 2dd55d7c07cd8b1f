// The program's own "Raw.dat": every type a user of an iPod or a camera card
// expects is there, files made by Debian's tools are recognised by their
// first sector, and sectors of other data are left alone.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "device/sector_access.h"
#include "engine_state.h"
#include "raw/file_type_choice.h"
#include "raw/raw_lists.h"
#include "raw/signature_file.h"
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

// The rule read plainly: each entry in list order, its text compared with
// the sector's leading bytes written as text.
const SignatureEntry* MatchAsText(const uint8_t* sector, size_t size) {
    for (const SignatureEntry* e = SignatureList.head; e; e = e->next) {
        std::string text = e->signature;
        for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
        if (text.empty() || text.size() != 2 * size_t(e->signatureLength) || text.size() > 2 * size)
            continue;
        if (text == HexEncode(sector, text.size() / 2)) return e;
    }
    return nullptr;
}

// The matcher looks sectors up by their first bytes and compares words; over
// sectors made from the signatures themselves, damaged at every byte, cut
// short and mixed with noise, it must give what the plain rule gives.
TEST(SignatureMatching, AgreesWithComparingEachEntryAsTextInListOrder) {
    ResetEngineState();
    FreeSignatureList();
    const struct {
        const char* text;
        uint32_t length;  // as stored
    } signatures[] = {
        {"", 0},                          // no bytes: never matches
        {"4D4D", 3},                      // length disagrees
        {"4D5", 2},                       // odd
        {"4G4D", 2},                      // not hexadecimal
        {"000001BA", 4},                  // begins with zeros, as many disk sectors do
        {"0000001466747970", 8},          // exactly one word
        {"00000014667479706D703432", 12}, // behind a shorter one that always wins
        {"424D3E", 3},                    // ahead of a shorter one sharing its start
        {"424D", 2},
        {"03640C", 3},                    // ahead of a one-byte one
        {"4D546864000000060001", 10},     // past the first word
        {"4D5468640000000600", 9},
        {"3C3F786D6C2076657273696F6E", 13},
        {"efbbbf3c3f786d6c20", 9},        // lower case
        {"89504E470D0A1A0A", 8},
        {"89504E470D0A1A0A", 8},          // the same again: never first
        {"52494646", 4},
        {"AABBCCDDEEFF00112233445566778899AABBCCDD", 20},
        {"03", 1},
        {"FF", 1},
    };
    for (const auto& s : signatures) AddSignatureEntry(u".x", u"X", s.length, s.text, 0);
    const SignatureMatcher matcher;

    std::vector<std::vector<uint8_t>> sectors = {std::vector<uint8_t>(kSectorSize, 0),
                                                 std::vector<uint8_t>(kSectorSize, 0xFF)};
    std::vector<std::vector<uint8_t>> starts;
    for (const auto& s : signatures) {
        std::vector<uint8_t> bytes;
        if (HexDecode(s.text, bytes) && !bytes.empty()) starts.push_back(bytes);
    }
    for (const std::vector<uint8_t>& start : starts) {
        for (uint8_t fill : {0x00, 0xFF}) {
            std::vector<uint8_t> sector(kSectorSize, fill);
            std::copy(start.begin(), start.end(), sector.begin());
            sectors.push_back(sector);
            for (size_t at = 0; at < start.size() + 2; ++at)
                for (uint8_t flip : {0x01, 0x80}) {
                    std::vector<uint8_t> damaged = sector;
                    damaged[at] ^= flip;
                    sectors.push_back(damaged);
                }
        }
    }
    std::mt19937 random(7);
    for (int i = 0; i < 4000; ++i) {
        std::vector<uint8_t> sector(kSectorSize);
        for (uint8_t& b : sector) b = uint8_t(random());
        const std::vector<uint8_t>& start = starts[random() % starts.size()];
        std::copy(start.begin(), start.begin() + random() % (start.size() + 1), sector.begin());
        sectors.push_back(sector);
    }

    size_t disagreements = 0, hits = 0;
    for (const std::vector<uint8_t>& sector : sectors)
        for (size_t size : {size_t(kSectorSize), size_t(20), size_t(13), size_t(9), size_t(8),
                            size_t(7), size_t(3), size_t(2), size_t(1)}) {
            const SignatureEntry* expected = MatchAsText(sector.data(), size);
            hits += expected != nullptr;
            if (matcher.Match(sector.data(), size) == expected) continue;
            if (++disagreements <= 5)
                ADD_FAILURE() << "sector " << HexEncode(sector.data(), 20) << " size " << size
                              << " should match " << (expected ? expected->signature : "nothing");
        }
    EXPECT_EQ(0u, disagreements);
    EXPECT_GT(hits, sectors.size()) << "the sectors exercise the entries";
    FreeSignatureList();
}

}  // namespace
