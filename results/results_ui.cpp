#include "results_ui.h"

#include "folder_tree_ctrl.h"
#include "found_file_list_ctrl.h"
#include "raw/raw_results.h"

namespace {

HTREEITEM AsHandle(TreeItem item) { return reinterpret_cast<HTREEITEM>(item); }

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace

void ResultsUi::ClearFolderTree() {
  m_tree->Clear();
  m_list->Selection.ClearMarks();
}

TreeItem ResultsUi::InsertFolderItem(const std::u16string& text, TreeItem parent) {
  return reinterpret_cast<TreeItem>(m_tree->InsertFolderItem(Wide(text), parent ? AsHandle(parent) : nullptr));
}

void ResultsUi::AddFatFolders(TreeItem parent, uint32_t parentCluster) {
  m_tree->AddFatFolders(AsHandle(parent), parentCluster);
}

void ResultsUi::AddNtfsFolders(TreeItem parent, uint32_t parentRecord) {
  m_tree->AddNtfsFolders(AsHandle(parent), parentRecord);
}

void ResultsUi::BuildRawTree(TreeItem parent) { m_tree->BuildRawTree(AsHandle(parent)); }

void ResultsUi::ExpandItem(TreeItem item) { m_tree->Expand(AsHandle(item), TVE_EXPAND); }

void ResultsUi::FocusFolderTree() { m_tree->SetFocus(); }

void ResultsUi::SetReportView() { m_list->ModifyStyle(LVS_TYPEMASK, LVS_REPORT); }

void ResultsUi::DeleteAllRows() { m_list->DeleteAllItems(); }

int ResultsUi::InsertRow(int index, const std::u16string (&columns)[6], RowIcon icon) {
  const std::u16string& name = columns[0];
  const int image = icon == RowIcon::Folder ? m_shell.GetFolderIconIndex(TRUE) : m_shell.GetFileIconIndex(Wide(name), TRUE);
  // The Raw listings append with index -1.
  const int row = m_list->InsertItem(index < 0 ? m_list->GetItemCount() : index, Wide(name), image);
  if (row < 0) return row;
  const int columnCount = m_list->GetColumnCount();
  // After a Raw Scan the rows carry name, type and ID in their first three.
  for (int column = 1; column < 6 && column < columnCount; ++column) m_list->SetItemText(row, column, Wide(columns[column]));
  if (m_list->IsParentRow(row))
    m_list->SetItemState(row, INDEXTOSTATEIMAGEMASK(3), LVIS_STATEIMAGEMASK);
  else
    m_list->SetRowUnchecked(row);
  return row;
}

void ResultsUi::SetRowChecked(int row) { m_list->SetRowChecked(row); }

std::u16string ResultsUi::ShellTypeName(const std::u16string& fileName) {
  const CString type = m_shell.GetFileTypeName(Wide(fileName));
  if (type.IsEmpty()) return u"File";
  return std::u16string(reinterpret_cast<const char16_t*>(type.GetString()));
}

void ResultsUi::RedrawList() {
  m_list->Invalidate();
  m_list->UpdateWindow();
}

void ResultsUi::SetResultColumns(bool rawScan) {
  while (m_list->GetColumnCount() > 0) m_list->DeleteColumn(0);
  if (rawScan) {
    m_list->InsertColumn(0, L"File Name", LVCFMT_LEFT, 200);
    m_list->InsertColumn(1, L"Type", LVCFMT_LEFT, 100);
    m_list->InsertColumn(2, L"ID", LVCFMT_LEFT, 150);
    return;
  }
  const struct {
    LPCWSTR heading;
    int width;
  } columns[] = {{L"File Name", 200}, {L"Type", 100}, {L"Size", 100},
                 {L"Creation Time", 150}, {L"Modification Time", 150}, {L"ID", 150}};
  for (int column = 0; column < 6; ++column)
    m_list->InsertColumn(column, columns[column].heading, LVCFMT_LEFT, columns[column].width);
}

std::vector<TreeItem> ResultsUi::SelectedFolderItems() {
  return {m_list->Selection.SelectedFolderItems.begin(), m_list->Selection.SelectedFolderItems.end()};
}

std::vector<uint32_t> ResultsUi::SelectedRootFiles() {
  return {m_list->Selection.SelectedRootFiles.begin(), m_list->Selection.SelectedRootFiles.end()};
}

void ResultsUi::AddSubtreeTotals(TreeItem folder) {
  const ResultsKind kind = CurrentResultsKind();
  bool found = false;
  const uint32_t key = FolderKeyOfItem(kind, folder, &found);
  if (found) ::AddSubtreeTotals(kind, key);
}

void ResultsUi::ShowSelectedSizeText(const std::u16string& text) {
  if (m_sizeText != nullptr && m_sizeText->GetSafeHwnd() != nullptr) m_sizeText->SetWindowText(Wide(text));
}

void ResultsUi::ClearSelectedSize() {
  SelectionTotals.bytes = 0;
  ShowSelectedSizeText(u"");
}

std::vector<std::u16string> ResultsUi::PreviewTempFiles() {
  std::vector<std::u16string> files;
  POSITION pos = m_list->PreviewTempFiles.GetStartPosition();
  while (pos != nullptr) {
    CString path, extension;
    m_list->PreviewTempFiles.GetNextAssoc(pos, path, extension);
    files.emplace_back(reinterpret_cast<const char16_t*>(path.GetString()));
  }
  return files;
}
