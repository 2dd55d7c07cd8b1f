#include "tree_ctrl.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

BEGIN_MESSAGE_MAP(CTreeCtrl, CWnd)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  if (!CWnd::Create(WC_TREEVIEWW, nullptr, dwStyle & ~static_cast<DWORD>(TVS_CHECKBOXES), rect, pParentWnd, nID))
    return FALSE;
  if (dwStyle & TVS_CHECKBOXES) ModifyStyle(0, TVS_CHECKBOXES);
  return TRUE;
}

HTREEITEM CTreeCtrl::InsertItem(LPCWSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
  TVINSERTSTRUCTW insert = {};
  insert.hParent = hParent;
  insert.hInsertAfter = hInsertAfter;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<LPWSTR>(lpszItem);
  insert.item.iImage = nImage;
  insert.item.iSelectedImage = nSelectedImage;
  return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(LPCWSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  TVINSERTSTRUCTW insert = {};
  insert.hParent = hParent;
  insert.hInsertAfter = hInsertAfter;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<LPWSTR>(lpszItem);
  return InsertItem(&insert);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const {
  TVITEMW item = {};
  item.mask = TVIF_CHILDREN | TVIF_HANDLE;
  item.hItem = hItem;
  return GetItem(&item) && item.cChildren != 0;
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  TVHITTESTINFO info = {};
  info.pt = pt;
  HTREEITEM hItem = HitTest(&info);
  if (pFlags != nullptr) *pFlags = info.flags;
  return hItem;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const {
  // The item goes in the first field of the rectangle.
  *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
  return static_cast<BOOL>(SendMessage(TVM_GETITEMRECT, bTextOnly, reinterpret_cast<LPARAM>(lpRect)));
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem) {
  return static_cast<CEdit*>(CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(hItem)))));
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
  const int kMaxText = 4096;
  CString text;
  TVITEMW item = {};
  item.mask = TVIF_TEXT | TVIF_HANDLE;
  item.hItem = hItem;
  item.pszText = text.GetBufferSetLength(kMaxText);
  item.cchTextMax = kMaxText;
  BOOL got = GetItem(&item);
  // The control may answer with a pointer of its own.
  CString result(got && item.pszText != nullptr ? item.pszText : L"");
  text.ReleaseBuffer(0);
  return result;
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCWSTR lpszItem) {
  TVITEMW item = {};
  item.mask = TVIF_TEXT | TVIF_HANDLE;
  item.hItem = hItem;
  item.pszText = const_cast<LPWSTR>(lpszItem);
  return SetItem(&item);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const {
  TVITEMW item = {};
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
  item.hItem = hItem;
  if (!GetItem(&item)) return FALSE;
  nImage = item.iImage;
  nSelectedImage = item.iSelectedImage;
  return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
  TVITEMW item = {};
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
  item.hItem = hItem;
  item.iImage = nImage;
  item.iSelectedImage = nSelectedImage;
  return SetItem(&item);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) {
  TVITEMW item = {};
  item.mask = TVIF_STATE | TVIF_HANDLE;
  item.hItem = hItem;
  item.state = nState;
  item.stateMask = nStateMask;
  return SetItem(&item);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
  TVITEMW item = {};
  item.mask = TVIF_PARAM | TVIF_HANDLE;
  item.hItem = hItem;
  return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
  TVITEMW item = {};
  item.mask = TVIF_PARAM | TVIF_HANDLE;
  item.hItem = hItem;
  item.lParam = static_cast<LPARAM>(dwData);
  return SetItem(&item);
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
      SendMessage(TVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType),
                  reinterpret_cast<LPARAM>(pImageList->GetSafeHandle()))));
}

BOOL CTreeCtrl::ToggleCheckAt(CPoint point) {
  if (!(GetStyle() & TVS_CHECKBOXES)) return FALSE;
  UINT flags = 0;
  HTREEITEM hItem = HitTest(point, &flags);
  if (hItem == nullptr || !(flags & TVHT_ONITEMSTATEICON)) return FALSE;
  SetCheck(hItem, !GetCheck(hItem));
  // The parent hears of the change as a click on the item would tell it.
  NMTREEVIEWW notify = {};
  notify.hdr.hwndFrom = m_hWnd;
  notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  notify.hdr.code = NM_CLICK;
  notify.itemNew.hItem = hItem;
  notify.ptDrag = point;
  if (CWnd* pParent = GetParent())
    pParent->SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
  return TRUE;
}

void CTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  if (!ToggleCheckAt(point)) CWnd::OnLButtonDown(nFlags, point);
}

void CTreeCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (!ToggleCheckAt(point)) CWnd::OnLButtonDblClk(nFlags, point);
}
