#include "header_control.h"

#include "draw_helpers.h"
#include "global_settings.h"
#include "resource_loader.h"
#include "toolkit_resources.h"

IMPLEMENT_DYNAMIC(CTkHeaderCtrl, CHeaderCtrl)
IMPLEMENT_DYNAMIC(CTkFlatHeaderCtrl, CTkHeaderCtrl)

BEGIN_MESSAGE_MAP(CTkHeaderCtrl, CHeaderCtrl)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_RBUTTONDOWN()
  ON_MESSAGE(HDM_LAYOUT, OnLayout)
  ON_COMMAND(ID_TK_HEADER_SORT_ASCENDING, OnSortAscending)
  ON_COMMAND(ID_TK_HEADER_SORT_DESCENDING, OnSortDescending)
  ON_COMMAND(ID_TK_HEADER_ALIGN_LEFT, OnAlignLeft)
  ON_COMMAND(ID_TK_HEADER_ALIGN_CENTER, OnAlignCenter)
  ON_COMMAND(ID_TK_HEADER_ALIGN_RIGHT, OnAlignRight)
END_MESSAGE_MAP()

CTkHeaderCtrl::CTkHeaderCtrl() : CTkThemeClient(RUNTIME_CLASS(CTkHeaderCtrlThemeFactory)) {}

CTkHeaderCtrl::~CTkHeaderCtrl() {
  // The window goes before the theme client: its last messages still draw.
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

BOOL CTkHeaderCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  RefreshThemeFor(message);
  return CHeaderCtrl::OnWndMsg(message, wParam, lParam, pResult);
}

int CTkHeaderCtrl::ItemFromPoint(CPoint point) {
  HDHITTESTINFO hit = {};
  hit.pt = point;
  int item = HitTest(&hit);
  if (item < 0 || (hit.flags & (HHT_ONHEADER | HHT_ONDIVIDER | HHT_ONDIVOPEN)) == 0) return -1;
  return item;
}

BOOL CTkHeaderCtrl::IsItemPressed(int item) {
  if (!m_bLButtonDown) return FALSE;
  CPoint cursor;
  ::GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  HDHITTESTINFO hit = {};
  hit.pt = cursor;
  return HitTest(&hit) == item && (hit.flags & HHT_ONHEADER) != 0;
}

void CTkHeaderCtrl::SetFontBold(BOOL bold) {
  CFont& font = GetGlobalSettings().m_fonts[bold ? CTkGlobalSettings::kFontBold : CTkGlobalSettings::kFontRegular];
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), FALSE);
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

int CTkHeaderCtrl::SetSortImage(int column, BOOL ascending) {
  int previous = m_nSortColumn;
  m_nSortColumn = column;
  m_bAscending = ascending;
  if (m_hWnd != nullptr) RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
  return previous;
}

int CTkHeaderCtrl::GetSortColumn(BOOL* ascending) const {
  if (ascending != nullptr) *ascending = m_bAscending;
  return m_nSortColumn;
}

void CTkHeaderCtrl::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  CTkOffscreenDC dc(paint.m_hDC, client.left, client.top, client.right, client.bottom);
  if (CTkHeaderCtrlTheme* theme = GetHeaderTheme()) theme->DrawHeader(&dc, this);
}

void CTkHeaderCtrl::OnLButtonDown(UINT, CPoint) {
  m_bLButtonDown = TRUE;
  Default();
}

void CTkHeaderCtrl::OnLButtonUp(UINT, CPoint) {
  m_bLButtonDown = FALSE;
  Default();
}

LRESULT CTkHeaderCtrl::OnLayout(WPARAM, LPARAM lParam) {
  CTkHeaderCtrlTheme* theme = GetHeaderTheme();
  return theme != nullptr ? theme->Layout(reinterpret_cast<HDLAYOUT*>(lParam), this) : Default();
}

CWnd* CTkHeaderCtrl::GetParentList() const {
  CWnd* parent = GetParent();
  if (parent == nullptr) return nullptr;
  if (parent->IsKindOf(RUNTIME_CLASS(CListCtrl))) return parent;
  WCHAR className[32] = {};
  ::GetClassNameW(parent->m_hWnd, className, 32);
  return lstrcmpiW(className, WC_LISTVIEWW) == 0 ? parent : nullptr;
}

void CTkHeaderCtrl::OnRButtonDown(UINT, CPoint point) {
  CWnd* parent = GetParent();
  if (parent != nullptr && (parent->GetStyle() & LVS_NOSORTHEADER) != 0) {
    Default();
    return;
  }
  m_ptLastRClick = point;
  const int item = ItemFromPoint(point);
  if (item < 0) return;

  CMenu menu;
  if (!GetToolkitResourceLoader()->LoadMenu(menu, IDM_TK_HEADER_MENUS)) return;
  CMenu* popup = menu.GetSubMenu(2);
  if (popup == nullptr) return;
  if (item == m_nSortColumn)
    popup->CheckMenuItem(m_bAscending ? ID_TK_HEADER_SORT_ASCENDING : ID_TK_HEADER_SORT_DESCENDING,
                         MF_BYCOMMAND | MF_CHECKED);
  if (CWnd* list = GetParentList()) {
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT;
    if (list->SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&column))) {
      UINT checked = ID_TK_HEADER_ALIGN_LEFT;
      if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT) checked = ID_TK_HEADER_ALIGN_RIGHT;
      else if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER) checked = ID_TK_HEADER_ALIGN_CENTER;
      popup->CheckMenuItem(checked, MF_BYCOMMAND | MF_CHECKED);
    }
  }
  CPoint screen = point;
  ClientToScreen(&screen);
  TrackContextMenu(popup, TPM_RIGHTBUTTON, screen.x, screen.y, this, IDR_TK_HEADER_MENU_IMAGES);
}

void CTkHeaderCtrl::SortByLastClick(BOOL ascending) {
  const int item = ItemFromPoint(m_ptLastRClick);
  if (item < 0) return;
  if (item == m_nSortColumn && m_bAscending == ascending) return;
  // The list redraws the arrow through SetSortImage when it handles the click.
  m_bAscending = ascending;
  m_nSortColumn = item;

  WCHAR text[256] = {};
  HDITEMW header = {};
  header.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_IMAGE | HDI_ORDER;
  header.pszText = text;
  header.cchTextMax = 256;
  GetItem(item, &header);
  NMHEADERW notify = {};
  notify.hdr.hwndFrom = m_hWnd;
  notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  notify.hdr.code = HDN_ITEMCLICKW;
  notify.iItem = item;
  notify.iButton = 1;  // the right button: the list takes the direction from the header
  notify.pitem = &header;
  CWnd* parent = GetParent();
  if (parent == nullptr) return;
  const WPARAM id = notify.hdr.idFrom;
  const LPARAM lParam = reinterpret_cast<LPARAM>(&notify);
  parent->SendMessage(WM_NOTIFY, id, lParam);
  parent->SendMessageToDescendants(WM_NOTIFY, id, lParam, TRUE, FALSE);
}

void CTkHeaderCtrl::SetColumnAlignment(int format) {
  const int item = ItemFromPoint(m_ptLastRClick);
  CWnd* list = GetParentList();
  if (item < 0 || list == nullptr) return;
  LVCOLUMNW column = {};
  column.mask = LVCF_FMT;
  if (!list->SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&column))) return;
  column.fmt = (column.fmt & ~LVCFMT_JUSTIFYMASK) | (format & LVCFMT_JUSTIFYMASK);
  list->SendMessage(LVM_SETCOLUMNW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&column));
  list->SendMessage(LVM_SETWORKAREAS, 0, 0);
}

void CTkHeaderCtrl::OnThemeChanged() {
  if (m_hWnd == nullptr) return;
  CRect client;
  GetClientRect(&client);
  WINDOWPOS position = {};
  HDLAYOUT layout = {&client, &position};
  SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
  SetWindowPos(CWnd::FromHandle(position.hwndInsertAfter), position.x, position.y, position.cx, position.cy,
               position.flags | SWP_FRAMECHANGED);
  // The list lays itself out again when it is resized.
  CWnd* parent = GetParent();
  if (parent == nullptr) return;
  CRect rect;
  parent->GetWindowRect(&rect);
  parent->SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height() + 1, SWP_NOMOVE | SWP_FRAMECHANGED);
  parent->SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_FRAMECHANGED);
}

CTkFlatHeaderCtrl::CTkFlatHeaderCtrl() { SetTheme(new CTkFlatHeaderCtrlTheme); }
