#include "list_common.h"

#include <algorithm>
#include <climits>

#include "draw_helpers.h"
#include "profile_store.h"

CTkListCommon::CTkListCommon() { RefreshColors(); }

BOOL CTkListCommon::IsReportView() const {
  return m_pListWnd != nullptr && m_pListWnd->m_hWnd != nullptr &&
         (m_pListWnd->GetStyle() & LVS_TYPEMASK) == LVS_REPORT;
}

CWnd* CTkListCommon::GetHeaderWnd() const {
  if (m_pListWnd == nullptr || m_pListWnd->m_hWnd == nullptr) return nullptr;
  return CWnd::FromHandle(::GetDlgItem(m_pListWnd->m_hWnd, 0));
}

CTkFlatHeaderCtrl* CTkListCommon::GetFlatHeader() const {
  CWnd* header = GetHeaderWnd();
  return header != nullptr && header->IsKindOf(RUNTIME_CLASS(CTkFlatHeaderCtrl)) ? static_cast<CTkFlatHeaderCtrl*>(header)
                                                                                  : nullptr;
}

CArray<int, int> CTkListCommon::GetColumnOrder() const {
  CArray<int, int> order;
  CWnd* header = GetHeaderWnd();
  if (header == nullptr) return order;
  int count = static_cast<int>(header->SendMessage(HDM_GETITEMCOUNT));
  if (count <= 0) return order;
  order.SetSize(count);
  if (!header->SendMessage(HDM_GETORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order.GetData())))
    for (int i = 0; i < count; ++i) order[i] = i;
  return order;
}

void CTkListCommon::RedrawList() {
  if (m_pListWnd != nullptr && m_pListWnd->m_hWnd != nullptr)
    m_pListWnd->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

int CTkListCommon::SetSortColumn(int column, int ascending) {
  int previous = m_nSortColumn;
  m_nSortColumn = column;
  m_bAscending = static_cast<BYTE>(ascending == 1 ? 1 : 0);
  CWnd* header = GetHeaderWnd();
  if (header != nullptr && header->IsKindOf(RUNTIME_CLASS(CTkHeaderCtrl)))
    return static_cast<CTkHeaderCtrl*>(header)->SetSortImage(column, m_bAscending);
  return previous;
}

int CTkListCommon::ParseWidthField(LPCWSTR text, int field) {
  if (text == nullptr || field < 0) return 0;
  const WCHAR* p = text;
  for (int skipped = 0; skipped < field; ++skipped) {
    while (*p != 0 && *p != L',') ++p;
    if (*p == 0) return 0;
    ++p;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  BOOL negative = FALSE;
  if (*p == L'-' || *p == L'+') negative = *p++ == L'-';
  long long value = 0;
  for (; *p >= L'0' && *p <= L'9'; ++p) {
    value = value * 10 + (*p - L'0');
    if (value > INT_MAX) value = INT_MAX;  // registry text may hold anything
  }
  return static_cast<int>(negative ? -value : value);
}

int CTkListCommon::GetStoredColumnWidth(int field) {
  CString text = CTkProfileStore(HKEY_CURRENT_USER).ReadText(m_strSection, m_strEntry, m_strDefaultWidths);
  return ParseWidthField(text, field);
}

void CTkListCommon::RestoreColumnWidth(int column) {
  if (m_pListWnd == nullptr || m_pListWnd->m_hWnd == nullptr) return;
  m_pListWnd->SetColumnWidth(column, GetStoredColumnWidth(column));
}

int CTkListCommon::LoadColumnWidths() {
  if (!IsReportView() || GetHeaderWnd() == nullptr) return -1;
  CArray<int, int> order = GetColumnOrder();
  for (int position = 0; position < order.GetSize(); ++position)
    m_pListWnd->SetColumnWidth(order[position], GetStoredColumnWidth(position));
  return static_cast<int>(order.GetSize());
}

BOOL CTkListCommon::SaveColumnWidths() {
  if (!IsReportView() || GetHeaderWnd() == nullptr) return FALSE;
  CArray<int, int> order = GetColumnOrder();
  CString text;
  for (int position = 0; position < order.GetSize(); ++position) {
    CString field;
    field.Format(L"%d,", m_pListWnd->GetColumnWidth(order[position]));
    text += field;
  }
  CTkProfileStore(HKEY_CURRENT_USER).WriteText(m_strSection, m_strEntry, text);
  return TRUE;
}

void CTkListCommon::AutoSizeColumns(int column) {
  CWnd* header = GetHeaderWnd();
  if (header == nullptr) return;
  CArray<int, int> order = GetColumnOrder();
  int first = column < 0 ? 0 : column;
  int last = column < 0 ? static_cast<int>(order.GetSize()) - 1 : column;
  if (last >= order.GetSize()) return;
  CTkFlatHeaderCtrl* flat = GetFlatHeader();
  CTkHeaderCtrlTheme* theme = flat != nullptr ? flat->GetHeaderTheme() : nullptr;
  const BOOL arrowRoom = theme != nullptr && theme->DrawsSortArrows();

  m_pListWnd->SetRedraw(FALSE);
  HDC screen = ::GetDC(nullptr);
  {
    CTkObjectSelector font(screen, reinterpret_cast<HGDIOBJ>(header->SendMessage(WM_GETFONT)));
    for (int position = first; position <= last; ++position) {
      const int c = order[position];
      m_pListWnd->SetColumnWidth(c, LVSCW_AUTOSIZE);
      int width = m_pListWnd->GetColumnWidth(c);
      WCHAR text[256] = {};
      HDITEMW item = {};
      item.mask = HDI_TEXT;
      item.pszText = text;
      item.cchTextMax = 256;
      header->SendMessage(HDM_GETITEMW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&item));
      SIZE extent = {0, 0};
      ::GetTextExtentPoint32W(screen, text, lstrlenW(text), &extent);
      int heading = extent.cx + 12;
      if (arrowRoom && c == m_nSortColumn) heading += 24;
      width = std::max(width, heading);
      m_pListWnd->SetColumnWidth(c, std::min(width, m_nMaxColumnWidth));
    }
  }
  ::ReleaseDC(nullptr, screen);
  m_pListWnd->SetRedraw(TRUE);
  m_pListWnd->Invalidate(TRUE);
}

int CTkListCommon::SetProfileNames(LPCWSTR section, LPCWSTR entry, LPCWSTR defaultWidths) {
  m_bSaveWidths = 1;
  m_strSection = section != nullptr ? section : L"Settings";
  m_strEntry = entry != nullptr ? entry : L"Column Info";
  if (defaultWidths != nullptr) m_strDefaultWidths = defaultWidths;
  return LoadColumnWidths();
}

BOOL CTkListCommon::SubclassHeader(BOOL boldFont) {
  if (!IsReportView() || m_header.m_hWnd != nullptr) return FALSE;
  HWND header = ::GetDlgItem(m_pListWnd->m_hWnd, 0);
  if (header == nullptr || !m_header.SubclassWindow(header)) return FALSE;
  m_header.SetFontBold(boldFont);
  return TRUE;
}

BOOL CTkListCommon::SortList(int, BOOL) { return TRUE; }

DWORD CTkListCommon::SetExtendedStyle(DWORD style) {
  if (m_pListWnd == nullptr || m_pListWnd->m_hWnd == nullptr) return 0;
  return m_pListWnd->SetExtendedStyle(style | m_pListWnd->GetExtendedStyle());
}

DWORD CTkListCommon::GetExtendedStyle() const {
  if (m_pListWnd == nullptr || m_pListWnd->m_hWnd == nullptr) return 0;
  return m_pListWnd->GetExtendedStyle();
}

BOOL CTkListCommon::ModifyExtendedStyle(DWORD remove, DWORD add) {
  if (m_pListWnd == nullptr || m_pListWnd->m_hWnd == nullptr) return FALSE;
  DWORD current = m_pListWnd->GetExtendedStyle();
  DWORD wanted = add | (current & ~remove);
  if (wanted == current) return FALSE;
  m_pListWnd->SetExtendedStyle(wanted);
  return TRUE;
}

int CTkListCommon::SubItemHitTest(CPoint point, int* column) {
  if (column != nullptr) *column = 0;
  if (m_pListWnd == nullptr || m_pListWnd->m_hWnd == nullptr) return -1;
  if (!IsReportView()) return m_pListWnd->HitTest(point);
  if (GetHeaderWnd() == nullptr) return -1;
  CArray<int, int> order = GetColumnOrder();
  const int top = m_pListWnd->GetTopIndex();
  const int end = std::min(top + m_pListWnd->GetCountPerPage(), m_pListWnd->GetItemCount() - 1);
  for (int row = top; row <= end; ++row) {
    CRect bounds;
    if (!m_pListWnd->GetItemRect(row, &bounds, LVIR_BOUNDS) || !bounds.PtInRect(point)) continue;
    int left = bounds.left;
    for (int position = 0; position < order.GetSize(); ++position) {
      int width = m_pListWnd->GetColumnWidth(order[position]);
      if (point.x >= left && point.x <= left + width) {
        if (column != nullptr) *column = position;
        return row;
      }
      left += width;
    }
    return -1;
  }
  return -1;
}

int CTkListCommon::AddColumn(LPCWSTR heading, int width, int format) {
  CWnd* header = GetHeaderWnd();
  if (!IsReportView() || header == nullptr) return -1;
  int index = static_cast<int>(header->SendMessage(HDM_GETITEMCOUNT));
  if (width == -1) width = index > 0 ? m_pListWnd->GetColumnWidth(index - 1) : 0;
  return m_pListWnd->InsertColumn(index, heading, format, width, index);
}

BOOL CTkListCommon::InsertColumns(int count, const int* widths, const LPCWSTR* headings) {
  if (count <= 0) return TRUE;
  if (m_pListWnd == nullptr || m_pListWnd->m_hWnd == nullptr || widths == nullptr || headings == nullptr) return FALSE;
  for (int i = 0; i < count; ++i)
    if (m_pListWnd->InsertColumn(i, headings[i], LVCFMT_LEFT, widths[i], i) == -1) return FALSE;
  return TRUE;
}

BOOL CTkListCommon::InsertColumnsFromIds(int count, const int* widths, const UINT* stringIds) {
  if (count <= 0) return TRUE;
  if (stringIds == nullptr) return FALSE;
  CStringArray texts;
  CArray<LPCWSTR, LPCWSTR> headings;
  texts.SetSize(count);
  headings.SetSize(count);
  for (int i = 0; i < count; ++i) {
    texts[i].LoadString(stringIds[i]);  // a missing string gives an empty heading
    headings[i] = texts[i];
  }
  return InsertColumns(count, widths, headings.GetData());
}

int CTkListCommon::GetColumnCount() const {
  CWnd* header = GetHeaderWnd();
  if (!IsReportView() || header == nullptr) return -1;
  return static_cast<int>(header->SendMessage(HDM_GETITEMCOUNT));
}

int CTkListCommon::CopyRow(int from, int to) {
  if (from == to || from < 0 || to < 0 || m_pListWnd == nullptr || m_pListWnd->m_hWnd == nullptr) return -1;
  WCHAR text[256] = {};
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = from;
  item.pszText = text;
  item.cchTextMax = 256;
  if (!m_pListWnd->GetItem(&item)) return -1;
  item.iItem = to;
  item.iSubItem = 0;
  const int copy = m_pListWnd->InsertItem(&item);
  if (copy < 0) return -1;
  const int source = to < from ? from + 1 : from;
  const int columns = GetColumnCount();
  for (int sub = 1; sub < columns; ++sub) {
    CString value = m_pListWnd->GetItemText(source, sub);
    if (!value.IsEmpty()) m_pListWnd->SetItemText(copy, sub, value);
  }
  return source;
}

BOOL CTkListCommon::MoveRow(int from, int to) {
  if (from == to || from < 0 || to < 0) return FALSE;
  int source = CopyRow(from, to);
  return source >= 0 && m_pListWnd->DeleteItem(source);
}

void CTkListCommon::SetListColors(COLORREF text, COLORREF background) {
  m_clrCustomText = text;
  m_clrCustomBackground = background;
  m_bCustomColors = 1;
  RedrawList();
}

void CTkListCommon::SetRowColorsFrom(const CTkRowColors& colors) {
  SetRowColors(colors.nRow, colors.clrText, colors.clrBackground);
}

void CTkListCommon::SetRowColors(int row, COLORREF text, COLORREF background) {
  CTkRowColors* record = FindRowColors(row);
  if (record != nullptr) {
    record->clrText = text;
    record->clrBackground = background;
  } else {
    m_rowColors.AddTail(CTkRowColors{row, background, text});
  }
  if (m_pListWnd == nullptr || m_pListWnd->m_hWnd == nullptr) return;
  const int top = m_pListWnd->GetTopIndex();
  if (row >= top && row <= top + m_pListWnd->GetCountPerPage()) RedrawList();
}

CTkRowColors* CTkListCommon::FindRowColors(int row) {
  for (POSITION pos = m_rowColors.GetHeadPosition(); pos != nullptr;) {
    CTkRowColors& record = m_rowColors.GetNext(pos);
    if (record.nRow == row) return &record;
  }
  return nullptr;
}

BOOL CTkListCommon::Initialize() { return m_pListWnd != nullptr && m_pListWnd->m_hWnd != nullptr; }

BOOL CTkListCommon::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
  switch (hdr->code) {
    case HDN_DIVIDERDBLCLICKA:
    case HDN_BEGINTRACKA:
    case HDN_DIVIDERDBLCLICKW:
    case HDN_BEGINTRACKW:
      if (m_bColumnsLocked) {
        *pResult = 1;
        return TRUE;
      }
      break;
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW: {
      CTkFlatHeaderCtrl* flat = GetFlatHeader();
      if (flat == nullptr) break;
      const NMHEADERW* click = reinterpret_cast<NMHEADERW*>(lParam);
      BOOL ascending = TRUE;
      if (click->iButton == 0) {
        ascending = click->iItem == m_nSortColumn ? !m_bAscending : TRUE;
      } else if (click->iButton == 1) {
        flat->GetSortColumn(&ascending);
      } else {
        break;
      }
      m_nSortColumn = click->iItem;
      m_bAscending = static_cast<BYTE>(ascending ? 1 : 0);
      flat->SetSortImage(m_nSortColumn, ascending);
      SortList(m_nSortColumn, ascending);
      break;
    }
    default:
      break;
  }
  return m_pListWnd->CWnd::OnNotify(wParam, lParam, pResult);
}
