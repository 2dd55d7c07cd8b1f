#include "list_ctrl.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BEGIN_MESSAGE_MAP(CListCtrl, CWnd)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

int CListCtrl::InsertItem(int nItem, LPCWSTR lpszItem) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = nItem;
  item.pszText = const_cast<LPWSTR>(lpszItem);
  return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCWSTR lpszItem, int nImage) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = nItem;
  item.pszText = const_cast<LPWSTR>(lpszItem);
  item.iImage = nImage;
  return InsertItem(&item);
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPWSTR lpszText, int nLen) const {
  LVITEMW item = {};
  item.iSubItem = nSubItem;
  item.pszText = lpszText;
  item.cchTextMax = nLen;
  return static_cast<int>(SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
  // Grows the buffer until the text fits.
  CString text;
  for (int size = 256;; size *= 4) {
    int length = GetItemText(nItem, nSubItem, text.GetBufferSetLength(size), size);
    text.ReleaseBuffer(length);
    if (length < size - 1 || size >= 64 * 1024) break;
  }
  return text;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText) {
  LVITEMW item = {};
  item.iSubItem = nSubItem;
  item.pszText = const_cast<LPWSTR>(lpszText);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
  LVITEMW item = {};
  item.state = nState;
  item.stateMask = nMask;
  return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  item.lParam = static_cast<LPARAM>(dwData);
  return SetItem(&item);
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
  lpRect->left = static_cast<LONG>(nCode);
  return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(lpRect)));
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  LVHITTESTINFO info = {};
  info.pt = pt;
  int nItem = HitTest(&info);
  if (pFlags != nullptr) *pFlags = info.flags;
  return nItem;
}

CEdit* CListCtrl::EditLabel(int nItem) {
  return static_cast<CEdit*>(CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_EDITLABELW, static_cast<WPARAM>(nItem)))));
}

int CListCtrl::InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem) {
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT | LVCF_FMT;
  column.pszText = const_cast<LPWSTR>(lpszColumnHeading);
  column.fmt = nFormat;
  if (nWidth != -1) {
    column.mask |= LVCF_WIDTH;
    column.cx = nWidth;
  }
  if (nSubItem != -1) {
    column.mask |= LVCF_SUBITEM;
    column.iSubItem = nSubItem;
  }
  return InsertColumn(nCol, &column);
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
      SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType),
                  reinterpret_cast<LPARAM>(pImageList->GetSafeHandle()))));
}

BOOL CListCtrl::SetBkImage(HBITMAP hBitmap, BOOL fTile, int xOffsetPercent, int yOffsetPercent) {
  LVBKIMAGEW image = {};
  image.ulFlags = LVBKIF_SOURCE_HBITMAP | (fTile ? LVBKIF_STYLE_TILE : LVBKIF_STYLE_NORMAL);
  image.hbm = hBitmap;
  image.xOffsetPercent = xOffsetPercent;
  image.yOffsetPercent = yOffsetPercent;
  return static_cast<BOOL>(SendMessage(LVM_SETBKIMAGEW, 0, reinterpret_cast<LPARAM>(&image)));
}

BOOL CListCtrl::ToggleCheckAt(CPoint point) {
  if (!(GetExtendedStyle() & LVS_EX_CHECKBOXES)) return FALSE;
  UINT flags = 0;
  int nItem = HitTest(point, &flags);
  if (nItem < 0 || !(flags & LVHT_ONITEMSTATEICON)) return FALSE;
  SetCheck(nItem, !GetCheck(nItem));
  return TRUE;
}

void CListCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  if (!ToggleCheckAt(point)) COwnerDrawCtrl::OnLButtonDown(nFlags, point);
}

void CListCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (!ToggleCheckAt(point)) COwnerDrawCtrl::OnLButtonDblClk(nFlags, point);
}
