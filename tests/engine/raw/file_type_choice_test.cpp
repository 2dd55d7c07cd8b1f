// "Raw.dat" reading, the file-type check tree and the signature list built
// from it.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine_state.h"
#include "raw/file_type_choice.h"
#include "raw/raw_lists.h"
#include "recording_ui.h"
#include "raw/signature_file.h"
#include "test_images.h"
#include "text.h"

namespace {

void Field(std::vector<uint8_t>& out, const std::string& bytes) {
    out.push_back(uint8_t(bytes.size()));
    out.push_back(uint8_t(bytes.size() >> 8));
    out.insert(out.end(), bytes.begin(), bytes.end());
}

std::vector<uint8_t> Record(char category, const std::string& extension, const std::string& type,
                            const std::string& length, const std::string& signature,
                            const std::string& fifth = "") {
    std::vector<uint8_t> out = {0x07, 0x00, uint8_t(category)};
    Field(out, extension);
    Field(out, type);
    Field(out, length);
    Field(out, signature);
    Field(out, fifth);
    return out;
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::string WriteRawDat(const std::vector<uint8_t>& bytes) {
    std::string path = TemporaryFolder() + "/Raw.dat";
    { std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size())); }
    return path;
}

struct Entry {
    std::string extension, type, signature;
    uint32_t length, number;
    bool operator==(const Entry& o) const {
        return extension == o.extension && type == o.type && signature == o.signature &&
               length == o.length && number == o.number;
    }
};

std::vector<Entry> Entries() {
    std::vector<Entry> entries;
    for (SignatureEntry* e = SignatureList.head; e; e = e->next)
        entries.push_back({Narrow(e->extension), Narrow(e->fileType), e->signature,
                           e->signatureLength, e->number});
    return entries;
}

FileTypeTree::Item Find(const FileTypeTree& tree, const std::u16string& text) {
    for (FileTypeTree::Item i = 0; i < tree.ItemCount(); ++i)
        if (tree.Text(i) == text) return i;
    ADD_FAILURE() << "no item " << Narrow(text);
    return 0;
}

class FileTypeChoice : public testing::Test {
protected:
    void SetUp() override {
        ResetEngineState();
        FreeSignatureList();
        const std::vector<uint8_t> file = Join({
            Record('4', ".jpg", "JPEG Image", "3", "\xFF\xD8\xFF", "\x01\x02"),
            Record('4', ".jpg", "JPEG Image", "4", "\xFF\xD8\xFF\xE1"),
            Record('4', ".png", "PNG Image", "4", "\x89PNG"),
            Record('1', "", "Nameless", "2", "AB"),
            Record('1', ".pdf", "PDF Document", "4", "%PDF"),
            Record('X', ".xyz", "Own Category", "2", "XY"),
        });
        ASSERT_EQ(1, LoadRawSignatureFile(tree, Narrow16(WriteRawDat(file))));
    }
    static std::u16string Narrow16(const std::string& s) { return Utf8ToUtf16(s); }
    FileTypeTree tree;
};

TEST_F(FileTypeChoice, RecordsBecomeCategoriesAndExtensionsAllChecked) {
    ASSERT_EQ(6u, tree.Records().size());
    // Newest first.
    EXPECT_EQ(5, tree.Records().front().index);
    EXPECT_EQ("FFD8FF", tree.Records().back().signature);
    EXPECT_EQ("0102", tree.Records().back().fifthField);
    EXPECT_EQ(u"Graphics Files", tree.Records().back().category);
    EXPECT_EQ(u"X", tree.Records().front().category);

    std::vector<std::u16string> texts;
    for (FileTypeTree::Item i = 0; i < tree.ItemCount(); ++i) {
        texts.push_back(tree.Text(i));
        EXPECT_EQ(FileTypeTree::kChecked, tree.State(i));
        EXPECT_TRUE(tree.IsBold(i));
    }
    // The record without an extension gets no item.
    EXPECT_EQ((std::vector<std::u16string>{u"File Types", u"Graphics Files", u".jpg", u".png",
                                           u"Document Files", u".pdf", u"X", u".xyz"}),
              texts);
}

TEST_F(FileTypeChoice, CheckStatesOfCategoriesAndRootFollowTheExtensions) {
    FileTypeTree::Item jpg = Find(tree, u".jpg"), png = Find(tree, u".png");
    FileTypeTree::Item graphics = Find(tree, u"Graphics Files");
    tree.ToggleItemCheck(jpg);
    EXPECT_EQ(FileTypeTree::kUnchecked, tree.State(jpg));
    EXPECT_FALSE(tree.IsBold(jpg));
    EXPECT_EQ(FileTypeTree::kPartlyChecked, tree.State(graphics));
    EXPECT_EQ(FileTypeTree::kPartlyChecked, tree.State(FileTypeTree::kRoot));
    tree.ToggleItemCheck(png);
    EXPECT_EQ(FileTypeTree::kUnchecked, tree.State(graphics));
    EXPECT_EQ(FileTypeTree::kPartlyChecked, tree.State(FileTypeTree::kRoot));
    tree.ToggleItemCheck(graphics);
    EXPECT_EQ(FileTypeTree::kChecked, tree.State(jpg));
    EXPECT_EQ(FileTypeTree::kChecked, tree.State(FileTypeTree::kRoot));
    tree.ToggleItemCheck(FileTypeTree::kRoot);
    for (FileTypeTree::Item i = 0; i < tree.ItemCount(); ++i)
        EXPECT_EQ(FileTypeTree::kUnchecked, tree.State(i));
}

TEST_F(FileTypeChoice, CheckedTypesBecomeEntriesInTreeOrder) {
    tree.UncheckItem(Find(tree, u".png"));
    BuildSignatureList(tree, FileTypeTree::kRoot);
    // Both ".jpg" records, the newer first; "0102" read as a decimal number.
    EXPECT_EQ((std::vector<Entry>{{".jpg", "JPEG Image", "FFD8FFE1", 4, 0},
                                  {".jpg", "JPEG Image", "FFD8FF", 3, 102},
                                  {".pdf", "PDF Document", "25504446", 4, 0},
                                  {".xyz", "Own Category", "5859", 2, 0}}),
              Entries());
    EXPECT_EQ(4u, SignatureCount);
}

TEST_F(FileTypeChoice, TypesUncheckedSinceAnEarlierScanAreNotCarved) {
    BuildSignatureList(tree, FileTypeTree::kRoot);
    tree.UncheckItem(FileTypeTree::kRoot);
    tree.CheckItem(Find(tree, u".pdf"));
    BuildSignatureList(tree, FileTypeTree::kRoot);
    EXPECT_EQ((std::vector<Entry>{{".pdf", "PDF Document", "25504446", 4, 0}}), Entries());
    EXPECT_EQ(1u, SignatureCount);
}

TEST_F(FileTypeChoice, OkRefusesWhenNothingIsCheckedAndStoresTheSize) {
    RecordingUi ui;
    SetEngineUi(&ui);
    tree.UncheckItem(FileTypeTree::kRoot);
    EXPECT_EQ(0, AcceptFileTypes(tree, 19));
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(2, ui.messages[0].kind);
    EXPECT_EQ(u"Please select a file types and then \r\nclick [Next] to continue with recovery.",
              ui.messages[0].text);
    EXPECT_EQ(3, CarveSizeLimitMB);
    tree.CheckItem(Find(tree, u".png"));
    EXPECT_EQ(1, AcceptFileTypes(tree, 19));
    EXPECT_EQ(20, CarveSizeLimitMB);
    EXPECT_EQ(1u, SignatureCount);
    SetEngineUi(nullptr);
    CarveSizeLimitMB = 3;
}

TEST(RawDatReading, DamagedFilesStopCleanlyAfterTheLastWholeRecord) {
    const std::vector<uint8_t> good = Record('4', ".png", "PNG Image", "4", "\x89PNG");
    std::vector<uint8_t> tooLong = Record('4', ".gif", "GIF Image", "3", "GIF");
    tooLong[20] = 0x00;  // the signature-length field claims 256 bytes
    tooLong[21] = 0x01;
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        size_t records;
    } cases[] = {
        {"empty", {}, 0},
        {"one record", good, 1},
        {"record cut inside a field", Join({good, std::vector<uint8_t>(good.begin(), good.end() - 3)}), 1},
        {"record cut inside a length", Join({good, std::vector<uint8_t>(good.begin(), good.begin() + 4)}), 1},
        {"only a number and category", Join({good, {0, 0, '4'}}), 1},
        {"field over 255 bytes", Join({good, tooLong, std::vector<uint8_t>(300, 0x41)}), 1},
        {"length past the end", Join({good, {0, 0, '4', 0xFF, 0x00, 'a'}}), 1},
    };
    for (const Case& c : cases) {
        std::vector<CFileTypeRecord> records = ParseRawSignatureFile(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(c.records, records.size()) << c.name;
    }
}

TEST(RawDatReading, MissingFileLeavesOnlyTheRoot) {
    FileTypeTree tree;
    EXPECT_EQ(0, LoadRawSignatureFile(tree, u"/nonexistent/folder/Raw.dat"));
    EXPECT_EQ(1, tree.ItemCount());
    EXPECT_EQ(1, tree.AreChildrenUnchecked(FileTypeTree::kRoot));
}

}  // namespace
