#include "controls.h"

#include <vector>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CBitmapButton, CButton)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

BOOL COwnerDrawCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_DRAWITEM:
      DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      break;
    case WM_MEASUREITEM:
      MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      break;
    case WM_COMPAREITEM:
      if (pResult != nullptr) *pResult = CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
      return TRUE;
    case WM_DELETEITEM:
      DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
      break;
    default:
      return CWnd::OnChildNotify(message, wParam, lParam, pResult);
  }
  if (pResult != nullptr) *pResult = TRUE;
  return TRUE;
}

BOOL CBitmapButton::LoadBitmaps(UINT nIDUp, UINT nIDDown, UINT nIDFocus, UINT nIDDisabled) {
  m_bitmap.DeleteObject();
  m_bitmapSel.DeleteObject();
  m_bitmapFocus.DeleteObject();
  m_bitmapDisabled.DeleteObject();
  if (!m_bitmap.LoadBitmap(nIDUp)) return FALSE;
  BOOL all = TRUE;
  if (nIDDown != 0 && !m_bitmapSel.LoadBitmap(nIDDown)) all = FALSE;
  if (nIDFocus != 0 && !m_bitmapFocus.LoadBitmap(nIDFocus)) all = FALSE;
  if (nIDDisabled != 0 && !m_bitmapDisabled.LoadBitmap(nIDDisabled)) all = FALSE;
  return all;
}

void CBitmapButton::SizeToContent() {
  BITMAP bm = {};
  if (m_bitmap.GetSafeHandle() == nullptr || !m_bitmap.GetBitmap(&bm)) return;
  SetWindowPos(nullptr, 0, 0, bm.bmWidth, bm.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CBitmap* pBitmap = &m_bitmap;
  if ((lpDIS->itemState & ODS_SELECTED) && m_bitmapSel.GetSafeHandle() != nullptr) pBitmap = &m_bitmapSel;
  else if ((lpDIS->itemState & ODS_FOCUS) && m_bitmapFocus.GetSafeHandle() != nullptr) pBitmap = &m_bitmapFocus;
  else if ((lpDIS->itemState & ODS_DISABLED) && m_bitmapDisabled.GetSafeHandle() != nullptr) pBitmap = &m_bitmapDisabled;
  if (pBitmap->GetSafeHandle() == nullptr) return;
  HDC hdcMem = ::CreateCompatibleDC(lpDIS->hDC);
  HGDIOBJ old = ::SelectObject(hdcMem, pBitmap->GetSafeHandle());
  const RECT& r = lpDIS->rcItem;
  ::BitBlt(lpDIS->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, hdcMem, 0, 0, SRCCOPY);
  ::SelectObject(hdcMem, old);
  ::DeleteDC(hdcMem);
}

void CListBox::GetText(int nIndex, CString& rString) const {
  int length = GetTextLen(nIndex);
  if (length == LB_ERR) {
    rString.Empty();
    return;
  }
  GetText(nIndex, rString.GetBufferSetLength(length + 1));
  rString.ReleaseBuffer(length);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
  int length = static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex)));
  if (length == CB_ERR) {
    rString.Empty();
    return;
  }
  SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(rString.GetBufferSetLength(length + 1)));
  rString.ReleaseBuffer(length);
}

// The check list box keeps a record per item in the item data.
struct CCheckListBox::ItemState {
  DWORD_PTR data = 0;
  int check = 0;
  BOOL enabled = TRUE;
};

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CListBox::Create(dwStyle, rect, pParentWnd, nID);
}

BOOL CCheckListBox::PreCreateWindow(CREATESTRUCTW& cs) {
  cs.style &= ~static_cast<DWORD>(LBS_OWNERDRAWVARIABLE);
  cs.style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
  return CListBox::PreCreateWindow(cs);
}

CCheckListBox::ItemState* CCheckListBox::StateOf(int nIndex, bool create) {
  LRESULT data = SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex));
  if (data == LB_ERR) return nullptr;
  ItemState* state = reinterpret_cast<ItemState*>(data);
  if (state == nullptr && create) {
    state = new ItemState;
    SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(state));
  }
  return state;
}

const CCheckListBox::ItemState* CCheckListBox::StateOf(int nIndex) const {
  LRESULT data = SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex));
  return data == LB_ERR ? nullptr : reinterpret_cast<const ItemState*>(data);
}

void CCheckListBox::SetCheck(int nIndex, int nCheck) {
  if (ItemState* state = StateOf(nIndex, true)) {
    state->check = nCheck;
    CRect rect;
    if (GetItemRect(nIndex, &rect) != LB_ERR) InvalidateRect(&rect, FALSE);
  }
}

int CCheckListBox::GetCheck(int nIndex) const {
  const ItemState* state = StateOf(nIndex);
  return state != nullptr ? state->check : 0;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled) {
  if (ItemState* state = StateOf(nIndex, true)) {
    state->enabled = bEnabled;
    Invalidate(FALSE);
  }
}

BOOL CCheckListBox::IsEnabled(int nIndex) const {
  const ItemState* state = StateOf(nIndex);
  return state == nullptr || state->enabled;
}

DWORD_PTR CCheckListBox::GetItemData(int nIndex) const {
  const ItemState* state = StateOf(nIndex);
  return state != nullptr ? state->data : 0;
}

int CCheckListBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
  ItemState* state = StateOf(nIndex, true);
  if (state == nullptr) return LB_ERR;
  state->data = dwItemData;
  return 0;
}

void CCheckListBox::DeleteItem(LPDELETEITEMSTRUCT lpDIS) { delete reinterpret_cast<ItemState*>(lpDIS->itemData); }

int CCheckListBox::CheckBoxWidth() const { return ::GetSystemMetrics(SM_CXMENUCHECK) + 2; }

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
  lpMIS->itemHeight = static_cast<UINT>(::GetSystemMetrics(SM_CYMENUCHECK) + 2);
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  if (static_cast<int>(lpDIS->itemID) < 0) return;
  int nIndex = static_cast<int>(lpDIS->itemID);
  const ItemState* state = reinterpret_cast<const ItemState*>(lpDIS->itemData);
  int check = state != nullptr ? state->check : 0;
  BOOL enabled = state == nullptr || state->enabled;
  CRect item(lpDIS->rcItem);
  CRect box(item.left + 1, item.top + 1, item.left + CheckBoxWidth() - 1, item.bottom - 1);
  UINT flags = DFCS_BUTTONCHECK | (check == 1 ? DFCS_CHECKED : 0) | (check == 2 ? DFCS_CHECKED | DFCS_INACTIVE : 0) |
               (enabled ? 0 : DFCS_INACTIVE);
  if (m_nStyle == BS_AUTO3STATE || m_nStyle == BS_3STATE) flags |= check == 2 ? DFCS_BUTTON3STATE : 0;
  ::FillRect(lpDIS->hDC, &item, ::GetSysColorBrush(COLOR_WINDOW));
  ::DrawFrameControl(lpDIS->hDC, &box, DFC_BUTTON, flags);
  CRect text(box.right + 2, item.top, item.right, item.bottom);
  bool selected = (lpDIS->itemState & ODS_SELECTED) != 0;
  ::FillRect(lpDIS->hDC, &text, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  CString label;
  GetText(nIndex, label);
  int oldMode = ::SetBkMode(lpDIS->hDC, TRANSPARENT);
  COLORREF oldColor = ::SetTextColor(lpDIS->hDC, ::GetSysColor(!enabled ? COLOR_GRAYTEXT
                                                                : selected ? COLOR_HIGHLIGHTTEXT
                                                                           : COLOR_WINDOWTEXT));
  ::DrawTextW(lpDIS->hDC, label, label.GetLength(), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  ::SetTextColor(lpDIS->hDC, oldColor);
  ::SetBkMode(lpDIS->hDC, oldMode);
  if (lpDIS->itemState & ODS_FOCUS) ::DrawFocusRect(lpDIS->hDC, &text);
}

void CCheckListBox::Toggle(int nIndex) {
  ItemState* state = StateOf(nIndex, true);
  if (state == nullptr || !state->enabled) return;
  bool threeState = m_nStyle == BS_AUTO3STATE || m_nStyle == BS_3STATE;
  if (m_nStyle == BS_CHECKBOX || m_nStyle == BS_3STATE) {
    // Manual styles leave the change to the parent.
  } else {
    SetCheck(nIndex, (state->check + 1) % (threeState ? 3 : 2));
  }
  CWnd* pParent = GetParent();
  if (pParent != nullptr)
    pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::OnLButtonDown(UINT nFlags, CPoint point) {
  BOOL outside = TRUE;
  int nIndex = static_cast<int>(ItemFromPoint(point, outside));
  CRect item;
  if (!outside && GetItemRect(nIndex, &item) != LB_ERR && point.x < item.left + CheckBoxWidth()) {
    SetFocus();
    SetCurSel(nIndex);
    Toggle(nIndex);
    return;
  }
  CListBox::OnLButtonDown(nFlags, point);
}

void CCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point) {
  // The second click of a double click on the box is one more toggle.
  OnLButtonDown(nFlags, point);
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_SPACE) {
    int nIndex = GetCurSel();
    if (nIndex != LB_ERR) Toggle(nIndex);
    return;
  }
  CListBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CToolTipCtrl::FillInToolInfo(TTTOOLINFOW& ti, CWnd* pWnd, UINT_PTR nIDTool) {
  ZeroMemory(&ti, sizeof ti);
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.hwnd = pWnd->GetSafeHwnd();
  if (nIDTool == 0) {
    ti.hwnd = ::GetParent(pWnd->GetSafeHwnd());
    ti.uFlags = TTF_IDISHWND;
    ti.uId = reinterpret_cast<UINT_PTR>(pWnd->GetSafeHwnd());
  } else {
    ti.uId = nIDTool;
  }
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), nullptr);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCWSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  TTTOOLINFOW ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  if (lpRectTool != nullptr) ti.rect = *lpRectTool;
  else if (nIDTool != 0) pWnd->GetClientRect(&ti.rect);
  ti.uFlags |= TTF_SUBCLASS;
  ti.lpszText = const_cast<LPWSTR>(lpszText);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  TTTOOLINFOW ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  TTTOOLINFOW ti;
  FillInToolInfo(ti, pWnd, nIDTool);
  ti.lpszText = const_cast<LPWSTR>(lpszText);
  SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

LONG CTabCtrl::InsertItem(int nItem, LPCWSTR lpszItem) {
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<LPWSTR>(lpszItem);
  return static_cast<LONG>(SendMessage(TCM_INSERTITEMW, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}
