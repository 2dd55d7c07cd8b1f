// CTreeCtrl: the tree-view control. With TVS_CHECKBOXES the control
// itself toggles the check box on a click on the state icon, exactly once
// (Wine's own handling cannot be relied on for that).
#pragma once

#include "controls.h"
#include "image_list.h"

class CTreeCtrl : public CWnd {
  DECLARE_DYNAMIC(CTreeCtrl)
 public:
  // TVS_CHECKBOXES is set after creation: only then does the control
  // make its check box images.
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  HTREEITEM InsertItem(LPTVINSERTSTRUCTW lpInsertStruct) {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(lpInsertStruct)));
  }
  HTREEITEM InsertItem(LPCWSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                       HTREEITEM hInsertAfter = TVI_LAST);
  HTREEITEM InsertItem(LPCWSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
  BOOL DeleteItem(HTREEITEM hItem) { return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hItem))); }
  BOOL DeleteAllItems() { return DeleteItem(TVI_ROOT); }

  HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
  }
  HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
  HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
  HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
  HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
  HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
  HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
  HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
  HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); }
  HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
  HTREEITEM GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }
  BOOL ItemHasChildren(HTREEITEM hItem) const;
  UINT GetCount() const { return static_cast<UINT>(SendMessage(TVM_GETCOUNT)); }
  UINT GetVisibleCount() const { return static_cast<UINT>(SendMessage(TVM_GETVISIBLECOUNT)); }

  BOOL Select(HTREEITEM hItem, UINT nCode) {
    return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
  }
  BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
  BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
  BOOL Expand(HTREEITEM hItem, UINT nCode) {
    return static_cast<BOOL>(SendMessage(TVM_EXPAND, nCode, reinterpret_cast<LPARAM>(hItem)));
  }
  BOOL EnsureVisible(HTREEITEM hItem) { return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hItem))); }
  HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
  HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
  }
  BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
  CEdit* EditLabel(HTREEITEM hItem);

  BOOL GetItem(TVITEMW* pItem) const { return static_cast<BOOL>(SendMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pItem))); }
  BOOL SetItem(TVITEMW* pItem) { return static_cast<BOOL>(SendMessage(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(pItem))); }
  CString GetItemText(HTREEITEM hItem) const;
  BOOL SetItemText(HTREEITEM hItem, LPCWSTR lpszItem);
  BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
  BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
  UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const {
    return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), nStateMask));
  }
  BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
  DWORD_PTR GetItemData(HTREEITEM hItem) const;
  BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
  // The check box of TVS_CHECKBOXES: state image 2 is checked.
  BOOL GetCheck(HTREEITEM hItem) const { return (GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) == 2; }
  BOOL SetCheck(HTREEITEM hItem, BOOL fCheck = TRUE) {
    return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK);
  }

  CImageList* SetImageList(CImageList* pImageList, int nImageListType);
  CImageList* GetImageList(int nImageListType) const {
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(TVM_GETIMAGELIST, static_cast<WPARAM>(nImageListType))));
  }
  UINT GetIndent() const { return static_cast<UINT>(SendMessage(TVM_GETINDENT)); }
  void SetIndent(UINT nIndent) { SendMessage(TVM_SETINDENT, nIndent); }
  COLORREF SetBkColor(COLORREF clr) { return static_cast<COLORREF>(SendMessage(TVM_SETBKCOLOR, 0, static_cast<LPARAM>(clr))); }
  COLORREF SetTextColor(COLORREF clr) { return static_cast<COLORREF>(SendMessage(TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(clr))); }

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  // TRUE when the click at point was on a check box and has toggled it.
  BOOL ToggleCheckAt(CPoint point);
  DECLARE_MESSAGE_MAP()
};
