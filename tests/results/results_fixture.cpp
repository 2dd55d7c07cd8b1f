#include <gtest/gtest.h>

#include "results_fixture.h"

#include "found_lists.h"
#include "raw/raw_results.h"
#include "scan_control.h"
#include "test_images.h"

ResultsPanes::ResultsPanes() {
  parent.CreateEx(0, AfxRegisterWndClass(0), L"Results", WS_POPUP | WS_VISIBLE, CRect(0, 0, 900, 500), nullptr, 0);
  tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
              CRect(0, 0, 250, 500), &parent, 162);
  list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS,
              CRect(250, 0, 900, 500), &parent, 165);
  list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  list.SetupStateImages();
  tree.SetupImages(nullptr);
  tree.SetFoundFileList(&list);
  list.SetFolderTree(&tree);
  SetEngineUi(&ui);
}

ResultsPanes::~ResultsPanes() {
  SetEngineUi(nullptr);
  if (::IsWindow(parent.m_hWnd)) parent.DestroyWindow();
}

bool ResultsPanes::ScanAndShow(const std::string& imageName) {
  ScanMode = kStandardScan;
  ScanOutcome outcome = ScanImage(ImagePath(imageName));
  SetEngineUi(&ui);
  if (!outcome.ran) return false;
  if (NtfsFolderList.head != nullptr || NtfsFileList.head != nullptr)
    ShowNtfsResults();
  else
    ShowFatResults();
  return true;
}

void ResultsPanes::ShowFatResults() {
  ui.SetResultColumns(false);
  ScanStopFlag = 0;  // a finished scan leaves it set
  ui.ClearFolderTree();
  const TreeItem root = ui.InsertFolderItem(u"Root", 0);
  ui.AddFatFolders(root, 0);
  ui.ExpandItem(root);
  list.ListFolder(0);
  list.RefreshListChecks();
}

void ResultsPanes::ShowNtfsResults() {
  ui.SetResultColumns(false);
  ScanStopFlag = 0;  // a finished scan leaves it set
  ui.ClearFolderTree();
  const TreeItem root = ui.InsertFolderItem(u"Root", 0);
  ui.AddNtfsFolders(root, kNtfsRootRecord);
  ui.ExpandItem(root);
  list.ListFolder(kNtfsRootRecord);
  list.RefreshListChecks();
}

void ResultsPanes::ShowRawResults() {
  ui.SetResultColumns(true);
  ScanStopFlag = 0;  // a finished scan leaves it set
  ui.ClearFolderTree();
  const TreeItem root = ui.InsertFolderItem(u"Root", 0);
  ui.BuildRawTree(root);
  ui.ExpandItem(root);
  ListRawGroups();
  list.RefreshListChecks();
}

HTREEITEM ResultsPanes::ItemByPath(const CString& path) const {
  HTREEITEM item = tree.RootItem();
  CString rest = path;
  while (item != nullptr && !rest.IsEmpty()) {
    const int slash = rest.Find(L'\\');
    const CString name = slash < 0 ? rest : rest.Left(slash);
    rest = slash < 0 ? CString() : rest.Mid(slash + 1);
    HTREEITEM child = tree.GetChildItem(item);
    while (child != nullptr && tree.GetItemText(child) != name) child = tree.GetNextSiblingItem(child);
    item = child;
  }
  return item;
}

int ResultsPanes::RowByName(const CString& name) const {
  for (int row = 0; row < list.GetItemCount(); ++row)
    if (list.GetItemText(row, 0) == name) return row;
  return -1;
}

::testing::AssertionResult ResultsPanes::RowsAgreeWithSelection() const {
  for (int row = 0; row < list.GetItemCount(); ++row) {
    if (list.IsParentRow(row)) continue;
    const bool checked = list.IsRowChecked(row) == 1;
    const bool selected = list.IsFolderRow(row)
                              ? list.Selection.CheckedFolderItems.count(static_cast<TreeItem>(
                                    std::wcstoull(list.GetItemText(row, 5), nullptr, 10))) != 0
                              : list.Selection.CheckedFileIds.count(list.RowId(row)) != 0;
    if (checked != selected)
      return ::testing::AssertionFailure() << "row " << list.GetItemText(row, 0).ToAnsi() << " shows "
                                           << (checked ? "checked" : "unchecked");
  }
  return ::testing::AssertionSuccess();
}
