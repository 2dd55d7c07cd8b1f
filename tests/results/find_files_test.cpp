// Find File(s): the pattern picks the found files of the scanned volume with
// their folders' paths; the search runs on a worker that Stop pauses and Yes
// ends, never hanging, the rows so far kept; the dialog cannot be cancelled
// while it searches, and the results list opens its menu again however the
// dialog ended.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <string>

#include "file_search.h"
#include "find_files_dlg.h"
#include "found_lists.h"
#include "results_fixture.h"
#include "results_resources.h"
#include "test_app.h"
#include "test_images.h"
#include "text.h"

namespace {

std::u16string Upper(const std::u16string& text) { return UpperCase(text); }

bool EndsWith(const std::u16string& text, const std::u16string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Answers the stop question as the test says, and runs something while it
// is asked (the search paused).
class AnsweringUi : public ResultsUi {
 public:
  using ResultsUi::ResultsUi;
  int AskQuestion(int, const std::u16string& text) override {
    asked = text;
    if (whileAsked) whileAsked();
    return answer;
  }
  int answer = 2;
  std::u16string asked;
  std::function<void()> whileAsked;
};

// A modeless Find dialog over the panes' tree.
struct OpenFind {
  explicit OpenFind(ResultsPanes& panes) : dialog(&panes.tree, &panes.parent) {
    dialog.Create(IDD_FIND_FILES, &panes.parent);
  }
  ~OpenFind() {
    if (::IsWindow(dialog.m_hWnd)) dialog.DestroyWindow();
  }
  void Search(LPCWSTR pattern) {
    dialog.SetDlgItemText(IDC_FIND_PATTERN, pattern);
    dialog.SendMessage(WM_COMMAND, IDOK);
  }
  bool WaitIdle(DWORD timeoutMs = 20000) {
    const DWORD start = ::GetTickCount();
    while (dialog.IsSearching() || dialog.GetDlgItem(IDC_FIND_STOP)->IsWindowEnabled()) {
      if (::GetTickCount() - start > timeoutMs) return false;
      PumpPending();
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    PumpPending();
    return true;
  }
  CString Text(UINT id) {
    CString text;
    dialog.GetDlgItemText(id, text);
    return text;
  }
  CFindFilesDlg dialog;
};

}  // namespace

TEST(FindFiles, PatternsPickNamesAndPaths) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  const FolderPaths paths = MakeFolderPaths(ResultsKind::Fat, [&panes](TreeItem item) {
    const CString path = panes.tree.GetItemPath(reinterpret_cast<HTREEITEM>(item));
    return std::u16string(reinterpret_cast<const char16_t*>(path.GetString()));
  });
  struct Case {
    const char16_t* pattern;
    std::function<bool(const std::u16string&)> fits;  // on the upper-cased name
  } cases[] = {
      {u"mp3", [](const std::u16string& n) { return n.find(u"MP3") != std::u16string::npos; }},
      {u"*.mp3", [](const std::u16string& n) { return EndsWith(n, u".MP3"); }},
      {u"*", [](const std::u16string&) { return true; }},
      {u"*.*", [](const std::u16string& n) { return n.find(u'.') != std::u16string::npos; }},
      {u"no such name", [](const std::u16string&) { return false; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.pattern));
    std::map<uint32_t, FoundFileRow> found;
    const int count = SearchFoundFiles(ResultsKind::Fat, c.pattern, paths, [] { return true; },
                                       [&found](FoundFileRow row) { found[row.id] = row; });
    int expected = 0;
    for (FatFileEntry* f = FatFileList.head; f != nullptr; f = f->next) {
      const bool fits = c.fits(Upper(f->name));
      expected += fits ? 1 : 0;
      EXPECT_EQ(found.count(f->fileNumber) != 0, fits) << Narrow(f->name);
    }
    EXPECT_EQ(count, expected);
    EXPECT_EQ(static_cast<int>(found.size()), expected);
  }
  // Paths from the tree; a root file has a lone backslash.
  std::map<std::u16string, std::u16string> pathOf;
  SearchFoundFiles(ResultsKind::Fat, u"*", paths, [] { return true; },
                   [&pathOf](FoundFileRow row) { pathOf[row.original] = row.path; });
  EXPECT_EQ(Narrow(pathOf[u"Track 01.mp3"]), "\\Music\\Artist\\Album");
  EXPECT_EQ(Narrow(pathOf[u"SHORT.TXT"]), "\\");
  EXPECT_EQ(Narrow(pathOf[u"Summary.doc"]), "\\Documents\\Reports 2009");
}

TEST(FindFiles, EndTextsAndSelectAll) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  OpenFind find(panes);
  EXPECT_EQ(FindDialogOpen, 1);
  EXPECT_EQ(CurrentFindDialog, &find.dialog);

  // Select All on an empty list stays "Select All", unchecked.
  ::CheckDlgButton(find.dialog.m_hWnd, IDC_FIND_SELECT_ALL, BST_CHECKED);
  find.dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FIND_SELECT_ALL, BN_CLICKED));
  EXPECT_EQ(find.Text(IDC_FIND_SELECT_ALL), L"Select All");
  EXPECT_EQ(::IsDlgButtonChecked(find.dialog.m_hWnd, IDC_FIND_SELECT_ALL), static_cast<UINT>(BST_UNCHECKED));

  find.Search(L"no such name");
  ASSERT_TRUE(find.WaitIdle());
  EXPECT_EQ(find.Text(IDC_FIND_STATUS), L"Search is complete. There are no results to display.");
  EXPECT_EQ(find.Text(IDC_FIND_COUNT), L"0");

  find.Search(L"*.mp3");
  ASSERT_TRUE(find.WaitIdle());
  const int rows = find.dialog.ResultList.GetItemCount();
  ASSERT_GT(rows, 1);
  CString status;
  status.Format(L"There were %d files found.", rows);
  EXPECT_EQ(find.Text(IDC_FIND_STATUS), status);
  EXPECT_EQ(_wtoi(find.Text(IDC_FIND_COUNT)), rows);
  EXPECT_TRUE(find.dialog.GetDlgItem(IDOK)->IsWindowEnabled());

  ::CheckDlgButton(find.dialog.m_hWnd, IDC_FIND_SELECT_ALL, BST_CHECKED);
  find.dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FIND_SELECT_ALL, BN_CLICKED));
  EXPECT_EQ(find.Text(IDC_FIND_SELECT_ALL), L"Deselect All");
  ASSERT_EQ(static_cast<int>(find.dialog.CheckedRows().size()), rows);
  // The saving gets the names as found, with their IDs.
  for (const SaveItem& item : find.dialog.CheckedRows()) {
    EXPECT_TRUE(EndsWith(Upper(item.name), u".MP3")) << Narrow(item.name);
    EXPECT_TRUE(item.folder.empty());
  }
  ::CheckDlgButton(find.dialog.m_hWnd, IDC_FIND_SELECT_ALL, BST_UNCHECKED);
  find.dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FIND_SELECT_ALL, BN_CLICKED));
  EXPECT_TRUE(find.dialog.CheckedRows().empty());

}

// Esc ends the modal dialog, and the results list opens its menu again.
TEST(FindFiles, EscClearsTheOpenMark) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  int openWhileShown = 0;
  CFindFilesDlg* currentWhileShown = nullptr;
  WhileShownFindDlg dialog(&panes.tree, &panes.parent, [&] {
    openWhileShown = FindDialogOpen;
    currentWhileShown = CurrentFindDialog;
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(openWhileShown, 1);
  EXPECT_EQ(currentWhileShown, &dialog);
  EXPECT_EQ(FindDialogOpen, 0);
  EXPECT_EQ(CurrentFindDialog, nullptr);
}

// Stop at random moments, Yes or No, many times: the search never hangs,
// Cancel while it is paused does nothing, a stopped search keeps whole rows
// and reports nothing, and one let go on finds everything.
TEST(FindFiles, StopAtRandomMomentsNeverHangs) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  // Enough entries that the search is still running when Stop comes.
  for (int i = 0; i < 1500; ++i) {
    const std::u16string name = u"EXTRA" + Decimal(static_cast<uint64_t>(i)) + u".DAT";
    AddFatFile(name.c_str(), 100, 0, 0x5021, 0x5021, static_cast<uint32_t>(i), 0);
  }
  int total = 0;
  for (FatFileEntry* f = FatFileList.head; f != nullptr; f = f->next) ++total;
  AnsweringUi ui(&panes.tree, &panes.list);
  SetEngineUi(&ui);
  OpenFind find(panes);
  std::mt19937 random(27);
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE(round);
    ui.answer = round % 2 == 0 ? 1 : 2;
    bool stillOpen = false;
    ui.whileAsked = [&] {
      find.dialog.SendMessage(WM_COMMAND, IDCANCEL);
      stillOpen = ::IsWindow(find.dialog.m_hWnd) != FALSE;
    };
    find.Search(L"*");
    const int pumps = static_cast<int>(random() % 6);
    for (int i = 0; i < pumps; ++i) PumpPending();
    const bool searching = find.dialog.IsSearching();
    find.dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FIND_STOP, BN_CLICKED));
    ASSERT_TRUE(find.WaitIdle()) << "the search hangs";
    const int rows = find.dialog.ResultList.GetItemCount();
    if (searching) {
      EXPECT_TRUE(stillOpen) << "Cancel ended a running search";
      EXPECT_EQ(Narrow(ui.asked), "Do you want to stop file searching ?");
    }
    if (ui.answer == 2 || !searching) {
      EXPECT_EQ(rows, total);
    } else {
      EXPECT_LE(rows, total);
      // Every row is whole: its ID column is filled.
      for (int row = 0; row < rows; ++row) ASSERT_FALSE(find.dialog.ResultList.GetItemText(row, 5).IsEmpty());
    }
    EXPECT_EQ(_wtoi(find.Text(IDC_FIND_COUNT)), rows);
    ui.asked.clear();
  }
  SetEngineUi(&panes.ui);
}
