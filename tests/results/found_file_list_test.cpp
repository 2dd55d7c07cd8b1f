// The found-file list's context menu, renaming and preview road: the menu
// fits the results kind and stays shut while Find is open; a rename reaches
// the found entry and never an empty name; a file is extracted for its
// preview once, inside the temporary folder, up to 5 MB, and the clean-up
// deletes only what was written.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "find_files_dlg.h"
#include "found_lists.h"
#include "platform_files.h"
#include "raw/raw_results.h"
#include "results_fixture.h"
#include "results_resources.h"
#include "test_app.h"
#include "test_images.h"
#include "text.h"

namespace {

std::set<UINT> MenuIds(CMenu& menu) {
  std::set<UINT> ids;
  for (int i = 0; i < static_cast<int>(menu.GetMenuItemCount()); ++i)
    if (menu.GetMenuItemID(i) != 0) ids.insert(menu.GetMenuItemID(i));
  return ids;
}

// The menu tracker replaced: records that it was asked, answers a command.
struct MenuAnswer {
  explicit MenuAnswer(UINT answer) {
    saved = CFoundFileListCtrl::TrackMenu;
    CFoundFileListCtrl::TrackMenu = [this, answer](CMenu* popup, CPoint, CWnd*) {
      ++shown;
      ids = MenuIds(*popup);
      return answer;
    };
  }
  ~MenuAnswer() { CFoundFileListCtrl::TrackMenu = saved; }
  std::function<UINT(CMenu*, CPoint, CWnd*)> saved;
  int shown = 0;
  std::set<UINT> ids;
};

// The preview hand-off recorded, every name previewable.
struct PreviewRecorder {
  PreviewRecorder() {
    savedShow = CFoundFileListCtrl::ShowPreview;
    savedAsk = CFoundFileListCtrl::IsPreviewable;
    CFoundFileListCtrl::IsPreviewable = [](const CString&, const CString&) { return 1; };
    CFoundFileListCtrl::ShowPreview = [this](const CString& path, const CString& extension) {
      shown.push_back(path);
      extensions.push_back(extension);
    };
  }
  ~PreviewRecorder() {
    CFoundFileListCtrl::ShowPreview = savedShow;
    CFoundFileListCtrl::IsPreviewable = savedAsk;
  }
  std::function<void(const CString&, const CString&)> savedShow;
  std::function<int(const CString&, const CString&)> savedAsk;
  std::vector<CString> shown;
  std::vector<CString> extensions;
};

void EndRename(ResultsPanes& panes, int row, LPCWSTR text) {
  NMLVDISPINFOW info = {};
  info.hdr.hwndFrom = panes.list.m_hWnd;
  info.hdr.idFrom = 165;
  info.hdr.code = LVN_ENDLABELEDITW;
  info.item.iItem = row;
  info.item.pszText = const_cast<LPWSTR>(text);
  panes.parent.SendMessage(WM_NOTIFY, 165, reinterpret_cast<LPARAM>(&info));
}

FatFileEntry* FatFileNamed(const std::u16string& name) {
  for (FatFileEntry* f = FatFileList.head; f; f = f->next)
    if (name == f->name) return f;
  return nullptr;
}

}  // namespace

TEST(FoundFileMenu, ItemsByResultsKindAndCommands) {
  struct Case {
    BOOL raw;
    std::set<UINT> expected;
  } cases[] = {
      {FALSE,
       {ID_FOUND_RECOVER, ID_FOUND_ICONS, ID_FOUND_LIST, ID_FOUND_DETAILS, ID_FOUND_FIND, ID_FOUND_RENAME,
        ID_FOUND_SETTINGS, ID_FOUND_PROPERTIES}},
      {TRUE, {ID_FOUND_RECOVER, ID_FOUND_ICONS, ID_FOUND_LIST, ID_FOUND_DETAILS, ID_FOUND_RENAME}},
  };
  for (const Case& c : cases) {
    CMenu menu;
    ASSERT_TRUE(CFoundFileListCtrl::LoadContextMenu(menu, c.raw));
    EXPECT_EQ(MenuIds(menu), c.expected) << "raw " << c.raw;
  }

  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  panes.list.SendMessage(LVM_SETSELECTIONMARK, 0, 1);
  // View styles switch through a second one and end on the chosen one.
  const struct {
    UINT command;
    DWORD style;
  } views[] = {{ID_FOUND_ICONS, LVS_SMALLICON}, {ID_FOUND_LIST, LVS_LIST}, {ID_FOUND_DETAILS, LVS_REPORT}};
  for (const auto& view : views) {
    MenuAnswer answer(view.command);
    EXPECT_EQ(panes.list.ShowContextMenu(CPoint(10, 10)), view.command);
    EXPECT_EQ(panes.list.GetStyle() & LVS_TYPEMASK, view.style);
  }
  // The program's commands go to the program.
  std::vector<UINT> sent;
  const auto savedCommand = CFoundFileListCtrl::ProgramCommand;
  CFoundFileListCtrl::ProgramCommand = [&sent](UINT id) { sent.push_back(id); };
  for (UINT id : {ID_FOUND_RECOVER, ID_FOUND_FIND, ID_FOUND_SETTINGS}) {
    MenuAnswer answer(id);
    panes.list.ShowContextMenu(CPoint(10, 10));
  }
  CFoundFileListCtrl::ProgramCommand = savedCommand;
  EXPECT_EQ(sent, (std::vector<UINT>{ID_FOUND_RECOVER, ID_FOUND_FIND, ID_FOUND_SETTINGS}));
}

// No menu while Find is open; again after Find was closed by Esc.
TEST(FoundFileMenu, ShutWhileFindIsOpen) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  panes.list.SendMessage(LVM_SETSELECTIONMARK, 0, 1);
  MenuAnswer answer(0);
  WhileShownFindDlg find(&panes.tree, &panes.parent, [&] { panes.list.ShowContextMenu(CPoint(10, 10)); });
  EXPECT_EQ(find.DoModal(), IDCANCEL);
  EXPECT_EQ(answer.shown, 0);
  panes.list.ShowContextMenu(CPoint(10, 10));
  EXPECT_EQ(answer.shown, 1);
  // Without a selection mark there is nothing to show it for.
  panes.list.SendMessage(LVM_SETSELECTIONMARK, 0, -1);
  panes.list.ShowContextMenu(CPoint(10, 10));
  EXPECT_EQ(answer.shown, 1);
}

TEST(FoundFileRename, ReachesTheFoundEntry) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  struct Case {
    const char* what;
    CString row;
    LPCWSTR newName;
    CString shown;  // the row's name afterwards
  } cases[] = {
      {"a file", L"SHORT.TXT", L"Renamed.txt", L"Renamed.txt"},
      {"an empty name keeps the old one", L"Renamed.txt", L"", L"Renamed.txt"},
      {"a folder", L"Music", L"Tunes", L"Tunes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int row = panes.RowByName(c.row);
    ASSERT_GE(row, 0);
    EndRename(panes, row, c.newName);
    EXPECT_EQ(panes.list.GetItemText(row, 0), c.shown);
  }
  EXPECT_NE(FatFileNamed(u"Renamed.txt"), nullptr);
  EXPECT_EQ(FatFileNamed(u"SHORT.TXT"), nullptr);
  EXPECT_NE(panes.ItemByPath(L"Tunes"), nullptr);
  bool folderRenamed = false;
  for (FatFolderEntry* f = FatFolderList.head; f; f = f->next) folderRenamed |= std::u16string(f->name) == u"Tunes";
  EXPECT_TRUE(folderRenamed);
  // "Parent..." keeps its name: rows are told apart by it.
  panes.list.OpenRow(panes.RowByName(L"Tunes"));
  ASSERT_TRUE(panes.list.IsParentRow(0));
  NMLVDISPINFOW info = {};
  info.hdr.hwndFrom = panes.list.m_hWnd;
  info.hdr.idFrom = 165;
  info.hdr.code = LVN_BEGINLABELEDITW;
  info.item.iItem = 0;
  EXPECT_EQ(panes.parent.SendMessage(WM_NOTIFY, 165, reinterpret_cast<LPARAM>(&info)), TRUE);
}

TEST(FoundFilePreview, ExtractsOnceInsideTheTemporaryFolder) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  PreviewRecorder recorder;
  const std::string temp = TemporaryFolder();
  panes.list.TempFolder = CString(temp.c_str());
  const int shortRow = panes.RowByName(L"SHORT.TXT");
  const int otherRow = panes.RowByName(L"Thirteen1.txt");
  ASSERT_GE(shortRow, 0);
  ASSERT_GE(otherRow, 0);

  panes.list.PreviewRow(shortRow);
  panes.list.PreviewRow(shortRow);
  EXPECT_EQ(recorder.shown.size(), 1u) << "the same file twice is extracted once";
  panes.list.PreviewRow(otherRow);
  panes.list.PreviewRow(shortRow);
  ASSERT_EQ(recorder.shown.size(), 3u);
  EXPECT_NE(recorder.shown[0], recorder.shown[2]) << "back again: a new temporary name";
  EXPECT_EQ(panes.list.PreviewTempFiles.GetCount(), 3);
  EXPECT_EQ(recorder.extensions[0], L".txt");

  // The 5 MB rule reads the row's size.
  const struct {
    LPCWSTR size;
    bool large;
  } sizes[] = {{L"5242880", false}, {L"5242881", true}};
  for (const auto& s : sizes) {
    panes.list.SetItemText(otherRow, 2, s.size);
    panes.list.PreviewRow(shortRow);  // another file in between
    recorder.shown.clear();
    panes.list.PreviewRow(otherRow);
    ASSERT_EQ(recorder.shown.size(), 1u) << Narrow(reinterpret_cast<const char16_t*>(s.size));
    EXPECT_EQ(recorder.shown[0] == L"largefile", s.large);
    if (s.large) {
      EXPECT_EQ(recorder.extensions.back(), L".largefile");
    }
  }

  // A crafted extension: the temporary file stays in the folder.
  FatFileEntry* crafted = FatFileNamed(u"SHORT.TXT");
  ASSERT_NE(crafted, nullptr);
  std::free(crafted->name);
  crafted->name = CopyName(u"x.\\..\\..\\evil");
  panes.list.SetItemText(shortRow, 0, L"x.\\..\\..\\evil");
  recorder.shown.clear();
  panes.list.PreviewRow(shortRow);
  ASSERT_EQ(recorder.shown.size(), 1u);
  const CString written = recorder.shown[0];
  EXPECT_EQ(written.Find(L".."), -1) << written.ToAnsi();
  EXPECT_EQ(FilesBelow(temp).size(), static_cast<size_t>(panes.list.PreviewTempFiles.GetCount()));

  // The clean-up deletes what the previews wrote and nothing else.
  const std::string mine = temp + "/tmp99.txt";
  std::ofstream(mine, std::ios::binary) << "mine";
  DeletePreviewTempFiles();
  EXPECT_EQ(FilesBelow(temp), (std::set<std::string>{"tmp99.txt"}));
}

TEST(FoundFilePreview, ACheckBoxClickNeverPreviews) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  PreviewRecorder recorder;
  panes.list.TempFolder = CString(TemporaryFolder().c_str());
  const int row = panes.RowByName(L"SHORT.TXT");
  CRect bounds;
  ASSERT_TRUE(panes.list.GetItemRect(row, &bounds, LVIR_BOUNDS));
  const CPoint box(bounds.left + 8, bounds.CenterPoint().y);
  UINT flags = 0;
  ASSERT_EQ(panes.list.HitTest(box, &flags), row);
  ASSERT_NE(flags & LVHT_ONITEMSTATEICON, 0u);
  panes.list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
  panes.list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
  PumpPending();
  EXPECT_TRUE(recorder.shown.empty());
  EXPECT_EQ(panes.list.IsRowChecked(row), 1);
  EXPECT_TRUE(panes.RowsAgreeWithSelection());
}
