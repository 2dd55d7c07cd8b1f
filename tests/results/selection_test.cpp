// The folder tree's check marks, the found-file list's rows and the checked
// selection agree after every click and listing.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "found_lists.h"
#include "raw/raw_lists.h"
#include "results_fixture.h"
#include "scan_control.h"
#include "test_app.h"
#include "volumes/boot_params.h"

namespace {

std::set<uint32_t> FatFileIdsBelow(const ResultsPanes& panes, HTREEITEM item) {
  std::set<uint32_t> ids;
  const ResultsKind kind = ResultsKind::Fat;
  std::vector<HTREEITEM> pending{item};
  while (!pending.empty()) {
    HTREEITEM at = pending.back();
    pending.pop_back();
    const uint32_t key = at == panes.tree.RootItem() ? 0 : FolderKeyOfItem(kind, reinterpret_cast<TreeItem>(at));
    for (uint32_t id : FolderFileIds(kind, key)) ids.insert(id);
    for (HTREEITEM c = panes.tree.GetChildItem(at); c != nullptr; c = panes.tree.GetNextSiblingItem(c))
      pending.push_back(c);
  }
  return ids;
}

// Clicks on tree check boxes (by path) and on list rows' check boxes
// ("folder|row name" in the folder's listing); then the marks.
TEST(ResultsSelection, FatMarksFollowClicks) {
  struct Case {
    const char* name;
    std::vector<CString> treeClicks;
    std::vector<std::pair<CString, CString>> rowClicks;
    std::map<CString, int> states;  // path -> 0 unchecked, 1 checked, 2 partly
  } cases[] = {
      {"only child checked checks every ancestor but the root",
       {L"Music\\Artist\\Album"}, {},
       {{L"Music\\Artist\\Album", 1}, {L"Music\\Artist", 1}, {L"Music", 1}, {L"", 2}, {L"Documents", 0}}},
      {"one of several makes the root partly", {L"Documents"}, {},
       {{L"Documents", 1}, {L"Documents\\Reports 2009", 1}, {L"Music", 0}, {L"", 2}}},
      {"a parent whose children are all checked is checked", {L"Documents\\Reports 2009"}, {},
       {{L"Documents", 1}, {L"", 2}}},
      {"the last folder unchecked unchecks the root",
       {L"Music\\Artist\\Album", L"Music\\Artist\\Album"}, {},
       {{L"Music\\Artist\\Album", 0}, {L"Music", 0}, {L"", 0}}},
      {"root checks everything", {L""}, {}, {{L"", 1}, {L"Music\\Artist\\Album", 1}, {L"Many", 1}}},
      {"a subtree unchecked below a checked root", {L"", L"Music"}, {},
       {{L"", 2}, {L"Music", 0}, {L"Music\\Artist\\Album", 0}, {L"Documents", 1}}},
      {"a checked file row makes its folder and ancestors partly", {},
       {{L"Music\\Artist\\Album", L"Track 01.mp3"}},
       {{L"Music\\Artist\\Album", 2}, {L"Music\\Artist", 2}, {L"Music", 2}, {L"", 2}}},
      {"every row of a folder checked checks it", {},
       {{L"Documents\\Reports 2009", L"Summary.doc"}},
       {{L"Documents\\Reports 2009", 1}, {L"Documents", 1}, {L"", 2}}},
      {"a partly checked FAT folder with all children checked is unchecked",
       {L"Music\\Artist"}, {{L"Music\\Artist\\Album", L"Track 01.mp3"}},
       {{L"Music\\Artist\\Album", 2}}},
      {"a folder row checked from its parent's listing", {}, {{L"Music", L"Artist"}},
       {{L"Music\\Artist", 1}, {L"Music\\Artist\\Album", 1}, {L"Music", 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResultsPanes panes;
    ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
    for (const CString& path : c.treeClicks) {
      HTREEITEM item = panes.ItemByPath(path);
      ASSERT_NE(item, nullptr) << path.ToAnsi();
      panes.tree.ToggleCheckOfItem(item);
      EXPECT_TRUE(panes.RowsAgreeWithSelection());
    }
    for (const auto& [folder, rowName] : c.rowClicks) {
      HTREEITEM item = panes.ItemByPath(folder);
      ASSERT_NE(item, nullptr) << folder.ToAnsi();
      panes.list.ListTreeItem(item);
      const int row = panes.RowByName(rowName);
      ASSERT_GE(row, 0) << rowName.ToAnsi();
      panes.list.ToggleRowCheck(row);
      EXPECT_TRUE(panes.RowsAgreeWithSelection());
    }
    for (const auto& [path, state] : c.states) {
      HTREEITEM item = panes.ItemByPath(path);
      ASSERT_NE(item, nullptr) << path.ToAnsi();
      EXPECT_EQ(panes.tree.GetCheckState(item), state) << path.ToAnsi();
      EXPECT_EQ(panes.tree.IsItemBold(item) != FALSE, state == 1) << path.ToAnsi();
    }
    // Every listing agrees with the selection afterwards.
    for (const CString& folder : {CString(L""), CString(L"Music\\Artist\\Album"), CString(L"Documents")}) {
      panes.list.ListTreeItem(panes.ItemByPath(folder));
      EXPECT_TRUE(panes.RowsAgreeWithSelection()) << folder.ToAnsi();
    }
  }
}

TEST(ResultsSelection, CheckedFoldersHoldTheirFilesAlsoWhenNeverListed) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  HTREEITEM music = panes.ItemByPath(L"Music");
  panes.tree.ToggleCheckOfItem(music);
  const std::set<uint32_t> expected = FatFileIdsBelow(panes, music);
  EXPECT_EQ(expected.size(), 2u);  // the song and the deleted song
  EXPECT_EQ(panes.list.Selection.CheckedFileIds, expected);
  EXPECT_EQ(panes.list.Selection.SelectedFolderItems, std::set<TreeItem>{reinterpret_cast<TreeItem>(music)});
  panes.tree.ToggleCheckOfItem(panes.tree.RootItem());
  std::set<uint32_t> all;
  for (FatFileEntry* f = FatFileList.head; f; f = f->next) all.insert(f->fileNumber);
  EXPECT_EQ(panes.list.Selection.CheckedFileIds, all);
  panes.tree.ToggleCheckOfItem(panes.tree.RootItem());
  EXPECT_TRUE(panes.list.Selection.CheckedFileIds.empty());
  EXPECT_TRUE(panes.list.Selection.CheckedFolderItems.empty());
}

TEST(ResultsSelection, ARowCheckSurvivesListingAnotherFolder) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  const int row = panes.RowByName(L"SHORT.TXT");
  ASSERT_GE(row, 0);
  panes.list.ToggleRowCheck(row);
  EXPECT_EQ(panes.tree.GetCheckState(panes.tree.RootItem()), 2);
  panes.list.ListTreeItem(panes.ItemByPath(L"Music"));
  EXPECT_EQ(panes.list.GetItemText(0, 0), L"Parent...");
  panes.list.OpenRow(0);  // "Parent..." lists the root again
  EXPECT_EQ(panes.list.ListedFolderKey(), 0u);
  const int again = panes.RowByName(L"SHORT.TXT");
  ASSERT_GE(again, 0);
  EXPECT_EQ(panes.list.IsRowChecked(again), 1);
  EXPECT_EQ(panes.list.IsRowChecked(panes.RowByName(L"Thirteen1.txt")), 0);
  EXPECT_TRUE(panes.RowsAgreeWithSelection());
}

// Parent links from disk may lead back to the folder itself or to an
// ancestor, or nest deeper than any stack.
TEST(ResultsSelection, CraftedFolderLinksGiveAFiniteTree) {
  const uint32_t kKeep = 0xFFFFFFFF;
  struct Folder {
    const char16_t* name;
    uint32_t cluster, parent;
    uint32_t claimedCluster;  // written over the entry's cluster afterwards
  };
  struct Case {
    const char* name;
    std::vector<Folder> folders;
    unsigned chain;  // nested folders added below cluster 100
    UINT items;      // tree items, the root with them
  } cases[] = {
      {"a folder inside itself", {{u"Self", 12, 12, kKeep}, {u"A", 10, 0, kKeep}}, 0, 2},
      {"a folder whose entry points at an ancestor",
       {{u"A", 10, 0, kKeep}, {u"B", 11, 10, kKeep}, {u"Loop", 12, 11, 10}}, 0, 4},
      {"a folder whose entry points at the root", {{u"A", 10, 0, kKeep}, {u"Back", 12, 10, 0}}, 0, 3},
      {"a long chain", {{u"Top", 100, 0, kKeep}}, 3000, 3002},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResultsPanes panes;
    FreeStandardScanLists();
    ScanMode = kStandardScan;
    PartitionParameters.scannedType = kFat32;
    for (const Folder& f : c.folders) {
      AddFatFolder(f.name, f.cluster, f.parent, 0, 0, 0, 0);
      if (f.claimedCluster != kKeep) FatFolderList.tail->cluster = f.claimedCluster;
    }
    for (unsigned i = 0; i < c.chain; ++i) AddFatFolder(u"Deep", 101 + i, 100 + i, 0, 0, 0, 0);
    AddFatFile(u"leaf.txt", 5, 100 + c.chain, 0, 0, 10, 0);
    panes.ShowFatResults();
    EXPECT_EQ(panes.tree.GetCount(), c.items);
    // Checking everything and totalling it ends too.
    panes.tree.ToggleCheckOfItem(panes.tree.RootItem());
    EXPECT_EQ(panes.tree.GetCheckState(panes.tree.RootItem()), 1);
    panes.tree.ToggleCheckOfItem(panes.tree.RootItem());
    EXPECT_TRUE(panes.list.Selection.CheckedFileIds.empty());
  }
  FreeStandardScanLists();
}

}  // namespace

namespace {

struct Carved {
  const char16_t* extension;
  const char16_t* type;
  uint32_t number;
};

std::map<std::wstring, std::set<std::wstring>> RawTree(const ResultsPanes& panes) {
  std::map<std::wstring, std::set<std::wstring>> groups;
  for (HTREEITEM g = panes.tree.GetChildItem(panes.tree.RootItem()); g; g = panes.tree.GetNextSiblingItem(g)) {
    auto& extensions = groups[panes.tree.GetItemText(g).GetString()];
    for (HTREEITEM e = panes.tree.GetChildItem(g); e; e = panes.tree.GetNextSiblingItem(e))
      extensions.insert(panes.tree.GetItemText(e).GetString());
  }
  return groups;
}

// One group per file type and one item per extension below it, however
// the carved records are ordered; checks select exactly their files.
TEST(ResultsSelection, RawGroupsAndExtensions) {
  const std::vector<Carved> records = {{u"jpg", u"JPEG Image", 1}, {u"png", u"PNG Image", 2},
                                       {u"jpg", u"JPEG Image", 3}, {u"jpeg", u"JPEG Image", 4},
                                       {u"png", u"PNG Image", 5},  {u"jpg", u"JPEG Image", 6}};
  const std::map<std::wstring, std::set<std::wstring>> expected = {{L"JPEG Image", {L"jpg", L"jpeg"}},
                                                                   {L"PNG Image", {L"png"}}};
  for (bool reversed : {false, true}) {
    SCOPED_TRACE(reversed ? "reversed" : "in order");
    ResultsPanes panes;
    ScanMode = kRawScan;
    FreeCarvedFileList();
    std::vector<Carved> order = records;
    if (reversed) std::reverse(order.begin(), order.end());
    for (const Carved& c : order) {
      const std::u16string name = std::u16string(u"f") + char16_t(u'0' + c.number) + u"." + c.extension;
      AddCarvedFile(name.c_str(), c.extension, c.type, c.number, 100 * c.number);
    }
    panes.ShowRawResults();
    EXPECT_EQ(RawTree(panes), expected);
    EXPECT_EQ(panes.list.GetItemCount(), 2);  // the two groups
    EXPECT_EQ(panes.list.GetItemText(0, 2), L"-");

    const struct Step {
      CString path;
      std::set<uint32_t> files;
      int rootState;
    } steps[] = {
        {L"JPEG Image", {1, 3, 4, 6}, 2},
        {L"PNG Image\\png", {1, 2, 3, 4, 5, 6}, 1},
        // A partly checked group counts as checked for the root.
        {L"JPEG Image\\jpg", {2, 4, 5}, 1},
        {L"JPEG Image\\jpeg", {2, 5}, 2},
        {L"PNG Image", {}, 0},
    };
    for (const Step& step : steps) {
      SCOPED_TRACE(step.path.ToAnsi());
      HTREEITEM item = panes.ItemByPath(step.path);
      ASSERT_NE(item, nullptr);
      panes.tree.ToggleCheckOfItem(item);
      EXPECT_EQ(panes.list.Selection.CheckedFileIds, step.files);
      EXPECT_EQ(panes.tree.GetCheckState(panes.tree.RootItem()), step.rootState);
    }
  }
  FreeCarvedFileList();
  ScanMode = kStandardScan;
}

}  // namespace
