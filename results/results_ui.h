// What the engine asks of the results page: the folder tree's builders and
// the found-file list's rows. A program's interface to the engine forwards
// these to it.
#pragma once

#include "engine_ui.h"
#include "shell_icon_list.h"

class CFolderTreeCtrl;
class CFoundFileListCtrl;
class CWnd;

class ResultsUi : public EngineUi {
 public:
  ResultsUi(CFolderTreeCtrl* tree, CFoundFileListCtrl* list) : m_tree(tree), m_list(list) {}

  void ClearFolderTree() override;
  TreeItem InsertFolderItem(const std::u16string& text, TreeItem parent) override;
  void AddFatFolders(TreeItem parent, uint32_t parentCluster) override;
  void AddNtfsFolders(TreeItem parent, uint32_t parentRecord) override;
  void BuildRawTree(TreeItem parent) override;
  void ExpandItem(TreeItem item) override;
  void FocusFolderTree() override;
  void SetReportView() override;
  void DeleteAllRows() override;
  int InsertRow(int index, const std::u16string (&columns)[6], RowIcon icon) override;
  void SetRowChecked(int row) override;
  std::u16string ShellTypeName(const std::u16string& fileName) override;
  void RedrawList() override;
  void SetResultColumns(bool rawScan) override;
  std::vector<TreeItem> SelectedFolderItems() override;
  std::vector<uint32_t> SelectedRootFiles() override;
  void AddSubtreeTotals(TreeItem folder) override;
  // The selection's size, in the page's selection static.
  void ShowSelectedSizeText(const std::u16string& text) override;
  void ClearSelectedSize() override;
  void SetSelectedSizeStatic(CWnd* text) { m_sizeText = text; }
  // The files the list's previews wrote, for the clean-up.
  std::vector<std::u16string> PreviewTempFiles() override;

 private:
  CFolderTreeCtrl* m_tree;
  CFoundFileListCtrl* m_list;
  CWnd* m_sizeText = nullptr;
  CShellIconList m_shell;
};
