// Listing a folder into the found-file list, dates and the name patterns.
#include <gtest/gtest.h>

#include <string>

#include "found_lists.h"
#include "settings.h"
#include "engine_state.h"
#include "folder_listing.h"
#include "recording_ui.h"
#include "text.h"

namespace {

TEST(NamePattern, Table) {
    struct Case {
        const char16_t* name;
        const char16_t* pattern;
        int match;
    } cases[] = {
        {u"SONG.MP3", u"*.MP3", 1},
        {u"SONG.MP3.TXT", u"*.MP3", 0},  // the run must end the name
        {u"SONG.MP3", u"*", 1},
        {u"README", u"*.*", 0},
        {u"READ.ME", u"*.*", 1},
        {u"MP3PLAYER.EXE", u"MP3", 1},  // no wildcard: found anywhere
        {u"SONG.MP", u"SONG.MP3", 0},   // longer than the name
        {u"ABC", u"AB?", 1},
        {u"ABCDEF", u"AB?", 1},         // '?' without '*' fits a beginning
        {u"AB", u"AB?", 0},
        {u"XBC", u"AB?", 0},
        {u"IMG_0001.JPG", u"IMG*.JPG", 1},
        {u"IMG_0001.JPG", u"IMG*.PNG", 0},
        {u"PHOTO.JPG", u"IMG*", 0},
        {u"IMG.JPG", u"IMG**", 1},
        {u"REPORT2009.DOC", u"*2009*", 1},
        {u"REPORT2010.DOC", u"*2009*", 0},
        {u"DATA.TXT", u"*.TX?", 1},
        {u"", u"*", 0},
        {u"A", u"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchFilter(c.name, c.pattern), c.match)
            << Utf16ToUtf8(c.name) << " ~ " << Utf16ToUtf8(c.pattern);
}

TEST(DateTexts, FatDatesAndFileTimes) {
    std::u16string text;
    FatDateToText(uint16_t(29 << 9 | 1 << 5 | 1), text);
    EXPECT_EQ(text, u"01-01-2009 ");
    FatDateToText(uint16_t(46 << 9 | 12 << 5 | 31), text);
    EXPECT_EQ(text, u"31-12-2026 ");
    // 2009-01-01 00:00:00 and 2020-02-29 13:05:09 as FILETIMEs.
    FileTimeToText(0xE3A74000, 0x01C96BA3, text);
    EXPECT_EQ(text, u"1-1-2009 0:0:0");
    uint64_t leap = 13227455109ull * 10000000ull;
    FileTimeToText(uint32_t(leap), uint32_t(leap >> 32), text);
    EXPECT_EQ(text, u"29-2-2020 13:5:9");
}

class Listing : public testing::Test {
protected:
    RecordingUi ui;
    void SetUp() override {
        ResetEngineState();
        SetEngineUi(&ui);
        AddFatFolder(u"Music", 3, 0, 0, 0, 11, 0);
        AddFatFolder(u"xOLD", 4, 0, 0, 0, 12, 1);
        AddFatFolder(u"Album", 5, 3, 0, 0, 13, 0);
        const char16_t* files[] = {u"a.mp3", u"b.wav", u"c.txt", u"song.mp3"};
        for (int i = 0; i < 4; ++i) {
            AddFatFile(files[i], 20 + i, i == 3 ? 3 : 0, 0, 0, 100 + i, i == 2);
            ++FilesFound;
        }
    }
    void TearDown() override {
        SetEngineUi(nullptr);
        ResetEngineState();
    }
    std::u16string Names() {
        std::u16string names;
        for (auto& row : ui.rows) names += row.columns[0] + u";";
        return names;
    }
};

TEST_F(Listing, RootHasNoParentRowAndSubfoldersHaveACheckedOne) {
    ListFatFolder(0);
    EXPECT_EQ(Names(), u"Music;xOLD;a.mp3;b.wav;c.txt;");
    EXPECT_EQ(ui.rows[1].columns[1], u"Deleted Folder");
    EXPECT_EQ(ui.rows[1].columns[5], u"12");
    EXPECT_EQ(ui.rows[4].columns[1], u"Deleted File");
    EXPECT_EQ(ui.rows[3].columns[2], u"101");
    ListFatFolder(3);
    EXPECT_EQ(Names(), u"Parent...;Album;song.mp3;");
    EXPECT_TRUE(ui.rows[0].checked);
    EXPECT_EQ(ui.rows[2].columns[5], u"3");
}

TEST_F(Listing, FiltersSelectFilesButNeverFolders) {
    auto setFilter = [](int i, const char16_t* pattern) {
        std::u16string p = pattern;
        std::copy(p.begin(), p.end(), FilterTable[i]);
        FilterTable[i][p.size()] = 0;
    };
    setFilter(0, u"*.mp3");
    setFilter(1, u"*.WAV");
    FilterCount = 2;
    ListFatFolder(0);
    EXPECT_EQ(Names(), u"Music;xOLD;a.mp3;b.wav;");
}

TEST_F(Listing, ProgressDialogOnlyWhenAsked) {
    ListFatFolder(0);
    EXPECT_TRUE(ui.listProgress.empty());
    ListWithProgress = 1;
    ListFatFolder(0);
    // Opened, 0, a step per node of both lists (3 folders + 4 files), 100, closed.
    ASSERT_EQ(ui.listProgress.size(), 1u + 1 + 7 + 1 + 1);
    EXPECT_EQ(ui.listProgress.front(), -1);
    EXPECT_EQ(ui.listProgress[8], 100);
    EXPECT_EQ(ui.listProgress.back(), -2);
}

TEST(NtfsListing, LargeSizesAndTheRootRecord) {
    RecordingUi ui;
    ResetEngineState();
    SetEngineUi(&ui);
    AddNtfsFile(4242, u"big.iso", 70, 5, 0, 0, 0, 6000000000ull);
    AddNtfsFolder(u"sub", 71, 5, 0, 0, 9, 0);
    ListNtfsFolder(5);
    ASSERT_EQ(ui.rows.size(), 2u);
    EXPECT_EQ(ui.rows[1].columns[2], u"6000000000");
    EXPECT_EQ(ui.rows[1].columns[5], u"4242");
    ListNtfsFolder(71);
    ASSERT_EQ(ui.rows.size(), 1u);
    EXPECT_EQ(ui.rows[0].columns[0], u"Parent...");
    EXPECT_FALSE(ui.rows[0].checked);
    SetEngineUi(nullptr);
    ResetEngineState();
}

}  // namespace
