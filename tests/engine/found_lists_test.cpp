// The found-entry lists and their append rules.
#include <gtest/gtest.h>

#include <string>

#include "found_lists.h"
#include "scan_control.h"
#include "engine_state.h"

namespace {

class EntryLists : public testing::Test {
protected:
    void SetUp() override { ResetEngineState(); }
    void TearDown() override { ResetEngineState(); }
};

TEST_F(EntryLists, OneFatFolderPerClusterAndLiveWins) {
    AddFatFolder(u"old", 7, 0, 1, 2, 0, 1);
    AddFatFolder(u"new", 7, 9, 3, 4, 0, 0);  // live after deleted: takes the name
    AddFatFolder(u"gone", 7, 0, 5, 6, 0, 1);  // deleted after live: nothing
    AddFatFolder(u"other", 8, 0, 0, 0, 0, 1);
    ASSERT_NE(FatFolderList.head, nullptr);
    EXPECT_EQ(std::u16string(FatFolderList.head->name), u"new");
    EXPECT_EQ(FatFolderList.head->deleted, 0u);
    EXPECT_EQ(FatFolderList.head->parentCluster, 0u);  // the first one's parent stays
    EXPECT_EQ(FatFolderList.head->writeDate, 1u);
    EXPECT_EQ(FoldersFound, 2u);
    EXPECT_EQ(FatFolderList.tail->cluster, 8u);
}

TEST_F(EntryLists, FatFileNumbersFollowTheCallersCount) {
    for (int i = 0; i < 3; ++i) {
        AddFatFile(u"f", 10 + i, 0, 0, 0, 1, 0);
        ++FilesFound;
    }
    uint32_t expected = 0;
    for (FatFileEntry* f = FatFileList.head; f; f = f->next) EXPECT_EQ(f->fileNumber, expected++);
}

TEST_F(EntryLists, NtfsFoldersAreUniqueOnlyInAdvanceMode) {
    AddNtfsFolder(u"a", 40, 5, 0, 0, 0, 0);
    AddNtfsFolder(u"a again", 40, 5, 0, 0, 0, 0);
    EXPECT_EQ(FoldersFound, 2u);
    FreeStandardScanLists();
    ScanMode = kAdvanceScan;
    AddNtfsFolder(u"a", 40, 5, 0, 0, 0, 0);
    AddNtfsFolder(u"a again", 40, 5, 0, 0, 0, 0);
    AddNtfsFolderUnique(u"b", 41, 5, 0, 0, 0, 0);
    EXPECT_EQ(FoldersFound, 2u);
    EXPECT_EQ(std::u16string(NtfsFolderList.head->name), u"a");
}

TEST_F(EntryLists, FreeEmptiesEveryListAndCounter) {
    FreeStandardScanLists();  // on empty lists: only the counters
    AddFatFolder(u"d", 3, 0, 0, 0, 0, 0);
    AddFatFile(u"f", 4, 3, 0, 0, 10, 0);
    AddNtfsFile(100, u"n", 64, 5, 1, 2, 0, 5000000000ull);
    AddNtfsFolder(u"m", 65, 5, 1, 2, 0, 0);
    FilesFound = 2;
    EntriesParsed = 9;
    TotalFoundSize = 10;
    FreeStandardScanLists();
    EXPECT_EQ(FatFolderList.head, nullptr);
    EXPECT_EQ(FatFileList.tail, nullptr);
    EXPECT_EQ(NtfsFileList.head, nullptr);
    EXPECT_EQ(NtfsFolderList.head, nullptr);
    EXPECT_EQ(FoldersFound + FilesFound + EntriesParsed, 0u);
    EXPECT_EQ(TotalFoundSize, 0u);
}

}  // namespace
