// The results page's folder tree: the found folders under one "Root" item
// (after a Raw Scan the file-type groups with their extensions), each item
// with a tri-state check box in its state image. Checking an item checks its
// subtree; the parents show whether all, none or some of their children are
// checked. The marks are mirrored in the found-file list's selection.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "checked_selection.h"
#include "framework.h"

class CFoundFileListCtrl;

class CFolderTreeCtrl : public CTreeCtrl {
 public:
  CFolderTreeCtrl() = default;

  // The list that shows a clicked item's content and keeps the selection.
  void SetFoundFileList(CFoundFileListCtrl* list);
  // A click on an item's check box, as the mouse gives it.
  void ToggleCheckOfItem(HTREEITEM item);

  // The selection the marks are mirrored in; the list owns it.
  void SetSelection(CheckedSelection* selection) { m_selection = selection; }
  // The normal image list (the page's shell icons) and the check boxes.
  void SetupImages(CImageList* shellIcons);

  // 0 unchecked, 1 checked, 2 partly checked, -1 no check box.
  int GetCheckState(HTREEITEM item) const;
  void CheckItem(HTREEITEM item);
  void UncheckItem(HTREEITEM item);
  void SetPartlyChecked(HTREEITEM item);
  void CheckSubtree(HTREEITEM item);
  void UncheckSubtree(HTREEITEM item);
  void CheckItemAndChildren(HTREEITEM item);
  void UncheckItemAndChildren(HTREEITEM item);
  void ToggleItemSubtree(HTREEITEM item);
  // Unchecks the ancestors left without a checked child, and the root item
  // when none of its children stays checked.
  void ClearEmptyAncestors(HTREEITEM item);
  // No child unchecked (partly checked children count as checked).
  BOOL AreAllChildrenChecked(HTREEITEM item) const;
  BOOL AreChildrenUnchecked(HTREEITEM item) const;
  BOOL IsItemBold(HTREEITEM item) const { return (GetItemState(item, TVIS_BOLD) & TVIS_BOLD) != 0; }
  HTREEITEM RootItem() const { return GetRootItem(); }

  HTREEITEM InsertFolderItem(LPCWSTR text, HTREEITEM parent);
  HTREEITEM FindOrInsertChild(const CString& text, HTREEITEM parent, BOOL fileIcon);
  // The folders below a key, each inserted once, whatever their parent
  // links claim; the walk keeps no recursion.
  void AddFatFolders(HTREEITEM parent, uint32_t key);
  void AddNtfsFolders(HTREEITEM parent, uint32_t key);
  void BuildRawTree(HTREEITEM root);
  void AddRawExtensions(HTREEITEM group, const CString& type);

  void SetItemColor(HTREEITEM item, COLORREF color);
  COLORREF ItemColor(HTREEITEM item) const;
  // The cursor for the pointer at a client point: over an item's label or
  // icon, its expand button or its check box; null elsewhere.
  HCURSOR CursorAt(CPoint point, BOOL pressed) const;
  // The texts from below the root item down to the item, joined with
  // backslashes.
  CString GetItemPath(HTREEITEM item) const;
  // The same texts one by one (nothing for the root item).
  std::vector<std::u16string> GetItemNames(HTREEITEM item) const;
  // Every item and its colours gone.
  void Clear();

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

 private:
  template <typename Entry, typename KeyOf, typename ParentOf>
  void AddFolders(HTREEITEM parent, uint32_t key, Entry* head, KeyOf keyOf, ParentOf parentOf);
  void SetStateImage(HTREEITEM item, int image);
  void UpdateAncestors(HTREEITEM item, bool uncheckEmpty);
  // The coloured and bold items drawn again over the control's own paint.
  void DrawStyledItems(CDC& dc);
  void LoadCursors();

  // How an item's text is drawn: its colour (-1 the window-text colour) and
  // a font of its own when useFont is set.
  struct ItemStyle {
    int color = -1;
    LOGFONTW font = {};
    int useFont = 0;
  };
  enum CursorKind { kExpandCursor, kCheckCursor, kItemCursor, kPressedCursor, kCursorCount };

  CheckedSelection* m_selection = nullptr;
  CFoundFileListCtrl* m_list = nullptr;
  CImageList m_stateImages;
  CImageList* m_shellIcons = nullptr;
  std::map<HTREEITEM, ItemStyle> m_itemStyles;
  HCURSOR m_cursors[kCursorCount] = {};
  // The cursor set while the button is down, kept until it is released.
  HCURSOR m_heldCursor = nullptr;
};

// A state image list of check boxes: unchecked, checked, partly checked
// (the list's "Parent..." mark), 16 pixels each. A tree's state index 1 is
// its image 1 and wants a leading blank; a list's is its image 0.
BOOL CreateCheckStateImages(CImageList& images, COLORREF partlyColor, BOOL leadingBlank);
