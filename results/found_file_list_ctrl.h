// The found-file list of the results page: a "Parent..." row, the listed
// folder's subfolders and files (after a Raw Scan the type groups or the
// carved files of one), each with a check box in its state image. It keeps
// the checked selection that the folder tree, the totals and the saving
// read, and keeps tree and rows in step after every click and listing.
#pragma once

#include <functional>

#include "checked_selection.h"
#include "framework.h"
#include "list_control.h"

class CFolderTreeCtrl;

// 1 after the wizard went back: the found-file list empties the preview
// on its next paint and sets it to 0 again.
extern int PreviewResetPending;

class CFoundFileListCtrl : public CTkListCtrl {
 public:
  CFoundFileListCtrl();
  ~CFoundFileListCtrl() override;

  CheckedSelection Selection;
  // Preview temporary files: path to extension.
  CMapStringToString PreviewTempFiles;
  // Shows the preview pane without a file; the program points it there.
  std::function<void()> ShowEmptyPreview;

  void SetFolderTree(CFolderTreeCtrl* tree) { m_tree = tree; }
  // The check boxes as state images and the row font.
  void SetupStateImages();

  // The state image minus 1: -1 none, 0 unchecked, 1 checked, 2 the
  // "Parent..." mark.
  int IsRowChecked(int row) const;
  void ClearRowState(int row);
  void SetRowUnchecked(int row);
  void SetRowChecked(int row);
  void CheckAllRows();
  void UncheckAllRows();
  BOOL AreAllRowsChecked() const;
  BOOL AreNoRowsChecked() const;

  BOOL IsParentRow(int row) const;
  BOOL IsFolderRow(int row) const;
  // The ID column: 5, or 2 after a Raw Scan.
  int IdColumn() const;
  uint32_t RowId(int row) const;

  // The folder whose content the list shows.
  uint32_t ListedFolderKey() const { return m_listedKey; }
  // Lists a folder by its key (FAT cluster, NTFS record) and remembers it.
  void ListFolder(uint32_t key);
  // Lists what a tree item stands for.
  void ListTreeItem(HTREEITEM item);
  // Marks the rows from the selection.
  void RefreshListChecks();

  // A click on a row's check box, as the mouse gives it.
  void ToggleRowCheck(int row);
  // Tree follows the rows of the listed folder.
  void SyncFolderItem(uint32_t key);
  void GoToParentFolder(uint32_t key);
  void OpenRow(int row);

  // A header click: the rows sorted by the column's text as its kind of
  // value, then folders gathered first and "Parent..." on top.
  BOOL SortList(int column, BOOL ascending) override;
  void GroupFoldersFirst();
  // Properties of the row at the selection mark.
  void ShowProperties();

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnEndRename(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnRowCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

 private:
  void SetStateImage(int row, int image);
  void TakePendingPreviewReset();
  void SyncRawItems(int row);
  HTREEITEM TreeItemOfKey(uint32_t key) const;

  CFolderTreeCtrl* m_tree = nullptr;
  CImageList m_stateImages;
  CFont m_rowFont;
  uint32_t m_listedKey = 0;
};
