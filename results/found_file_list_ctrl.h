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
  // The bitmap resource tiled behind the rows; FALSE when the resource is
  // missing or the control refuses it.
  BOOL SetTiledBackground(UINT bitmapId);

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
  // Runs after every check change from a row or the tree: the results
  // page shows the selection's size.
  std::function<void()> SelectionChanged;
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

  // The context menu at a screen point: none while a Find dialog is open or
  // without a selection mark. Runs and returns the command chosen, 0 none.
  UINT ShowContextMenu(CPoint screen);
  // The menu's popup as the list shows it: after a Raw Scan without Find
  // Files, Settings and Properties.
  static BOOL LoadContextMenu(CMenu& menu, BOOL raw);
  // Tracks a popup and returns the command; tests replace it.
  static std::function<UINT(CMenu* popup, CPoint screen, CWnd* owner)> TrackMenu;
  // Recover Selected, Find Files and Settings belong to the program: by
  // default they go to the main window as commands.
  static std::function<void(UINT)> ProgramCommand;
  void RunMenuCommand(UINT id);
  // The view style, switched through a second one so the control arranges
  // its items again.
  void SetViewStyle(DWORD style);
  // Renaming the row at the selection mark (F2, the menu's Rename).
  void StartRename();
  // Renames the found entry a row stands for, never the disk; a folder row
  // renames its tree item too.
  void RenameRowEntry(int row, const CString& name);
  CString RenameOldName;
  int RenameInProgress = 0;

  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The preview road: whether a viewer takes a name (lower-cased, with its
  // ".ext"), and the hand-off of a path to the preview pane ("" "" for an
  // empty pane). The program points them at its preview host.
  static std::function<int(const CString& name, const CString& extension)> IsPreviewable;
  static std::function<void(const CString& path, const CString& extension)> ShowPreview;
  // A file row's preview: extracted once into the temporary folder under a
  // new temporary name; above 5 MB the large-file notice instead.
  void PreviewRow(int row);
  // "tmpN.ext" that does not exist in TempFolder yet, the extension made
  // safe; the counter keeps its value for the next name.
  CString MakeTempName(const CString& fileName);
  // 1 when folder, name and ID differ from the last preview's (stored).
  BOOL IsNewPreviewTarget(const CString& folder, const CString& name, uint32_t id);
  // Where previews are extracted: the system's temporary folder unless set.
  CString TempFolder;

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnBeginRename(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnEndRename(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
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
  HCURSOR m_handCursor = nullptr;
  int m_tempCounter = 0;
  CString m_lastPreviewPath = L"PAth";
  uint32_t m_lastPreviewId = 0xFFFFFFFF;
  uint32_t m_listedKey = 0;
};
