#include "header_themes.h"

#include <algorithm>
#include <vector>

#include "color_scheme.h"
#include "draw_helpers.h"
#include "header_control.h"

namespace {

void DrawVerticalLine(CDC* pDC, int x, int top, int bottom, COLORREF color) {
  CTkPenSelector pen(pDC->GetSafeHdc(), color);
  pDC->MoveTo(x, top);
  pDC->LineTo(x, bottom);
}

}  // namespace

void CTkHeaderCtrlTheme::RefreshMetrics() {
  CTkColorScheme* scheme = GetColorScheme();
  m_clrText = scheme->GetColor(COLOR_BTNTEXT);
  m_clrFace = scheme->GetColor(COLOR_3DFACE);
  m_clrShadow = scheme->GetColor(COLOR_3DSHADOW);
  m_clrDarkShadow = scheme->GetColor(COLOR_3DDKSHADOW);
  m_clrHighlight = scheme->GetColor(COLOR_3DHILIGHT);
}

LRESULT CTkHeaderCtrlTheme::Layout(HDLAYOUT* layout, CTkHeaderCtrl* header) {
  return header->DefWindowProc(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(layout));
}

void CTkHeaderCtrlTheme::DrawHeader(CDC* pDC, CTkHeaderCtrl* header) {
  CRect client;
  header->GetClientRect(&client);
  CTkHeaderDrawRecord background;
  background.pDC = pDC;
  background.rcItem = client;
  DrawBackground(background);

  CTkObjectSelector font(pDC->GetSafeHdc(), reinterpret_cast<HGDIOBJ>(header->SendMessage(WM_GETFONT)));
  pDC->SetBkColor(m_clrFace);
  pDC->SetTextColor(m_clrText);
  pDC->SetBkMode(TRANSPARENT);

  // Items in the order they are shown.
  const int count = header->GetItemCount();
  std::vector<int> itemAt(count > 0 ? count : 0, -1);
  for (int item = 0; item < count; ++item) {
    HDITEMW order = {};
    order.mask = HDI_ORDER;
    if (header->GetItem(item, &order) && order.iOrder >= 0 && order.iOrder < count) itemAt[order.iOrder] = item;
  }
  int x = 0;
  for (int position = 0; position < count; ++position) {
    if (itemAt[position] < 0) continue;
    CTkHeaderDrawRecord record;
    record.pDC = pDC;
    record.nItem = itemAt[position];
    record.item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM;
    record.item.pszText = record.text;
    record.item.cchTextMax = 256;
    if (!header->GetItem(record.nItem, &record.item)) continue;
    record.rcItem.SetRect(x, client.top, x + record.item.cxy, client.bottom);
    record.nState = header->IsItemPressed(record.nItem) ? 1 : 0;
    DrawItemBackground(record);
    DrawItemContent(record, header);
    x += record.item.cxy;
  }
}

void CTkHeaderCtrlTheme::DrawBackground(CTkHeaderDrawRecord& record) {
  CDC* pDC = record.pDC;
  CRect rect = record.rcItem;
  pDC->FillSolidRect(&rect, m_clrFace);
  rect.right += 2;
  pDC->Draw3dRect(&rect, m_clrHighlight, m_clrDarkShadow);
  rect.DeflateRect(1, 1);
  pDC->Draw3dRect(&rect, m_clrFace, m_clrShadow);
}

void CTkHeaderCtrlTheme::DrawItemBackground(CTkHeaderDrawRecord& record) {
  CDC* pDC = record.pDC;
  const CRect& rect = record.rcItem;
  if (record.nState == 0) {
    DrawVerticalLine(pDC, rect.right - 2, 1, rect.bottom - 1, m_clrShadow);
    DrawVerticalLine(pDC, rect.right - 1, 0, rect.bottom - 1, m_clrDarkShadow);
    DrawVerticalLine(pDC, rect.right, 1, rect.bottom - 1, m_clrHighlight);
    return;
  }
  pDC->Draw3dRect(&rect, m_clrShadow, m_clrShadow);
  DrawVerticalLine(pDC, rect.right, rect.top, rect.bottom, m_clrHighlight);
  CTkPenSelector pen(pDC->GetSafeHdc(), m_clrFace);
  pDC->MoveTo(rect.left + 1, rect.bottom - 2);
  pDC->LineTo(rect.right - 1, rect.bottom - 2);
}

void CTkHeaderCtrlTheme::DrawItemContent(CTkHeaderDrawRecord& record, CTkHeaderCtrl* header) {
  CDC* pDC = record.pDC;
  CRect inset = record.rcItem;
  inset.DeflateRect(m_nTextMargin, 0);
  BOOL ascending = TRUE;
  const BOOL sorted = header->GetSortColumn(&ascending) == record.nItem;
  if (sorted) inset.right -= 2 * m_nArrowGap + m_nArrowWidth;

  const CString text(record.text);
  const CSize extent = pDC->GetTextExtent(text);
  CRect textRect = inset;
  textRect.top = inset.top + (m_nTextTop > 0 ? m_nTextTop : (inset.Height() - extent.cy) / 2);
  textRect.bottom = textRect.top + extent.cy;
  switch (record.item.fmt & HDF_JUSTIFYMASK) {
    case HDF_RIGHT:
      textRect.left = inset.right - extent.cx;
      break;
    case HDF_CENTER:
      textRect.left = inset.left + (inset.Width() - extent.cx) / 2;
      textRect.right = textRect.left + extent.cx;
      break;
    default:
      textRect.right = inset.left + extent.cx;
      break;
  }
  textRect.left = std::max(textRect.left, inset.left);
  textRect.right = std::min(textRect.right, inset.right);

  if (DrawsSortArrows() && sorted) {
    CTkHeaderDrawRecord arrow = record;
    arrow.rcItem = textRect;
    DrawSortArrow(arrow, ascending);
  }
  if (textRect.Width() <= 0) return;
  if (record.nState == 1) textRect.OffsetRect(1, 1);
  pDC->DrawText(text, &textRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

void CTkHeaderCtrlTheme::DrawSortArrow(CTkHeaderDrawRecord& record, BOOL ascending) {
  const CRect& text = record.rcItem;
  if (text.right + m_nArrowGap < text.left) return;
  int x = text.right + m_nArrowGap;
  int y = (text.bottom - m_nArrowHeight - text.top) / 2 + text.top - 1;
  if (record.nState == 1) {
    ++x;
    ++y;
  }
  const int half = m_nArrowWidth / 2;
  POINT points[3];
  if (ascending) {
    points[0] = {x, y + m_nArrowHeight};
    points[1] = {x + m_nArrowWidth, y + m_nArrowHeight};
    points[2] = {x + half, y};
  } else {
    points[0] = {x, y};
    points[1] = {x + m_nArrowWidth, y};
    points[2] = {x + half, y + m_nArrowHeight};
  }
  DrawArrowLines(record.pDC, points, ascending);
}

void CTkHeaderCtrlTheme::DrawArrowLines(CDC* pDC, const POINT points[3], BOOL ascending) {
  const POINT& left = points[0];
  const POINT& right = points[1];
  const POINT& apex = points[2];
  CTkPenSelector pen(pDC->GetSafeHdc(), ascending ? m_clrHighlight : m_clrShadow);
  if (ascending) {
    // Lit from the top left: the base and the right side catch the light.
    pDC->MoveTo(apex);
    pDC->LineTo(right);
    pDC->LineTo(left);
    pen.SetColor(m_clrShadow);
    pDC->MoveTo(left);
    pDC->LineTo(apex);
  } else {
    pDC->MoveTo(apex);
    pDC->LineTo(left);
    pDC->LineTo(right);
    pen.SetColor(m_clrHighlight);
    pDC->MoveTo(right);
    pDC->LineTo(apex);
  }
}

void CTkFlatHeaderCtrlTheme::DrawBackground(CTkHeaderDrawRecord& record) {
  CRect rect = record.rcItem;
  record.pDC->FillSolidRect(&rect, m_clrFace);
  rect.right += 2;
  record.pDC->Draw3dRect(&rect, m_clrHighlight, m_clrShadow);
}

void CTkFlatHeaderCtrlTheme::DrawItemBackground(CTkHeaderDrawRecord& record) {
  const CRect& rect = record.rcItem;
  DrawVerticalLine(record.pDC, rect.right - 2, 2, rect.bottom - 2, m_clrShadow);
  DrawVerticalLine(record.pDC, rect.right - 1, 2, rect.bottom - 2, m_clrHighlight);
}

IMPLEMENT_DYNCREATE(CTkHeaderCtrlThemeFactory, CTkThemeManagerStyleFactory)

CTkThemeStyleBase* CTkHeaderCtrlThemeFactory::CreateTheme(int theme) {
  // Only the classic look is made by number; the flat header brings its own.
  auto* made = new CTkHeaderCtrlTheme;
  made->m_nTheme = theme;
  return made;
}
