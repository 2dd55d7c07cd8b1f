// "File Types": the choice of file types and carve size before a Raw Scan.
// The tree shows the engine's check model of "Raw.dat" (root, categories,
// extensions); every check change goes through the model and the shown
// marks are refreshed from it, so the two never differ.
#pragma once

#include <vector>

#include "framework.h"
#include "raw/file_type_choice.h"
#include "shell_icon_list.h"
#include "skinned_dialog.h"
#include "transparent_controls.h"

class CFileTypeTree : public CTreeCtrl {
 public:
  CFileTypeTree() = default;
  ~CFileTypeTree() override;

  // State images from the check bitmap and the root "File Types".
  void InitTree(FileTypeTree* model);
  // One item per model item below the root, then every mark refreshed.
  void ShowModel();
  // Every item's state image and bold from the model.
  void RefreshStates();

  // The state image shown: 1 unchecked, 2 checked, 3 partly, 0 none.
  int ShownState(HTREEITEM item) const;
  FileTypeTree::Item ModelItem(HTREEITEM item) const;
  HTREEITEM TreeItem(FileTypeTree::Item item) const;
  // Unchecks a checked or partly checked item, checks an unchecked one.
  void ToggleCheck(HTREEITEM item);
  // Passes the caret item to the per-item handler and returns it.
  HTREEITEM HandleItemRightClick();

  CImageList StateImages;
  CShellIconList ShellIcons;

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnMenuCommand(UINT id);
  DECLARE_MESSAGE_MAP()

 private:
  HTREEITEM InsertTypeItem(FileTypeTree::Item item, HTREEITEM parent);
  // The shell's folder icon for the root, the categories and texts not
  // beginning with '.', the extension's icon otherwise.
  int ImageFor(const CString& text, bool topLevel) const;
  FileTypeTree* m_model = nullptr;
  std::vector<HTREEITEM> m_items;  // by model item
};

class CFileTypeDlg : public CSkinnedDialog {
 public:
  explicit CFileTypeDlg(CWnd* pParent = nullptr);
  ~CFileTypeDlg() override;

  FileTypeTree Model;
  CTransparentStatic Question;
  CTransparentStatic SizeLabel;
  CComboBox SizeCombo;
  CFileTypeTree TypeTree;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  CFont m_boldFont;
};
