#include "control_selector.h"

#include <algorithm>

#include "bar_painter.h"
#include "color_scheme.h"
#include "command_bar.h"
#include "prop_exchange.h"

IMPLEMENT_DYNCREATE(CTkControlSelector, CTkControl)
IMPLEMENT_DYNCREATE(CTkControlLabel, CTkControl)

CSize CTkControlSelector::GetSize(CDC*) {
  return CSize(m_szCurrent.cx * m_szCell.cx, m_szCurrent.cy * m_szCell.cy);
}

void CTkControlSelector::Draw(CDC* pDC) {
  CTkBarPainter* painter = GetPaintManager();
  const COLORREF frame = painter != nullptr ? painter->GetColor(43) : GetColorScheme()->GetColor(COLOR_BTNSHADOW);
  const COLORREF content = painter != nullptr ? painter->GetColor(46) : GetColorScheme()->GetColor(COLOR_BTNTEXT);
  for (int column = 0; column < m_szCurrent.cx; ++column) {
    for (int row = 0; row < m_szCurrent.cy; ++row) {
      CRect cell(m_rcControl.left + column * m_szCell.cx, m_rcControl.top + row * m_szCell.cy, 0, 0);
      cell.right = cell.left + m_szCell.cx;
      cell.bottom = cell.top + m_szCell.cy;
      cell.DeflateRect(1, 1);
      const BOOL lit = column < m_szHighlighted.cx && row < m_szHighlighted.cy;
      pDC->FillSolidRect(&cell, GetColorScheme()->GetColor(lit ? COLOR_HIGHLIGHT : COLOR_WINDOW));
      pDC->Draw3dRect(&cell, frame, frame);
      DrawCell(pDC, cell, lit ? GetColorScheme()->GetColor(COLOR_HIGHLIGHTTEXT) : content);
    }
  }
}

void CTkControlSelector::OnCalcDynamicSize(DWORD) {
  if (!m_bTracking) {
    m_szHighlighted = CSize(0, 0);
    m_szCurrent = m_szInitial;
  }
  SetHighlighted(m_szHighlighted, TRUE);
}

CSize CTkControlSelector::HighlightAt(CPoint point) const {
  CSize highlighted(0, 0);
  for (int column = 0; column < m_szCurrent.cx; ++column)
    if (m_rcControl.left + column * m_szCell.cx < point.x) highlighted.cx = column + 1;
  for (int row = 0; row < m_szCurrent.cy; ++row)
    if (m_rcControl.top + row * m_szCell.cy < point.y) highlighted.cy = row + 1;
  return highlighted;
}

void CTkControlSelector::OnMouseMove(CPoint point) { SetHighlighted(HighlightAt(point), FALSE); }

void CTkControlSelector::SetHighlighted(CSize highlighted, BOOL force) {
  if (!force && highlighted == m_szHighlighted) return;
  m_szHighlighted = highlighted;
  InvalidateParent();
  NotifySite(kNotifySelectorHighlight);
}

BOOL CTkControlSelector::GrowTowards(CPoint point) {
  CSize size = m_szCurrent;
  if (point.x >= m_rcControl.right && m_szCell.cx > 0)
    size.cx = std::max(size.cx, std::min(m_szMaximum.cx, (point.x - m_rcControl.left) / m_szCell.cx + 1));
  if (point.y >= m_rcControl.bottom && m_szCell.cy > 0)
    size.cy = std::max(size.cy, std::min(m_szMaximum.cy, (point.y - m_rcControl.top) / m_szCell.cy + 1));
  if (size == m_szCurrent) return FALSE;
  m_szCurrent = size;
  SetHighlighted(m_szHighlighted, TRUE);
  m_bTracking = TRUE;
  if (m_pParent != nullptr) m_pParent->OnControlsChanged();
  m_bTracking = FALSE;
  // The layout may have moved the control; the rectangle follows the new size.
  m_rcControl.right = m_rcControl.left + size.cx * m_szCell.cx;
  m_rcControl.bottom = m_rcControl.top + size.cy * m_szCell.cy;
  SetHighlighted(HighlightAt(point), TRUE);
  return TRUE;
}

BOOL CTkControlSelector::SetSelectionState(int state) {
  if (state == 0 && m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr) {
    CPoint cursor;
    ::GetCursorPos(&cursor);
    m_pParent->ScreenToClient(&cursor);
    const BOOL buttonDown = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    if (!buttonDown || !GrowTowards(cursor)) SetHighlighted(CSize(0, 0), FALSE);
  }
  return CTkControl::SetSelectionState(state);
}

void CTkControlSelector::OnLButtonUp(CPoint) {
  if (m_szHighlighted.cx == 0 || m_szHighlighted.cy == 0) return;
  m_szChosen = m_szHighlighted;
  ExecuteCommand();
}

void CTkControlSelector::ExchangeControlProperties(CTkPropExchange* exchange) {
  CTkControl::ExchangeControlProperties(exchange);
  ExchangeSize(exchange, L"ItemsCount", &m_szInitial, CSize(0, 0));
  ExchangeSize(exchange, L"ItemsMax", &m_szMaximum, CSize(0, 0));
  ExchangeSize(exchange, L"ItemSize", &m_szCell, CSize(0, 0));
}

void CTkControlSelector::CopyControlFrom(CTkControl* source, BOOL recursive) {
  if (source->IsKindOf(RUNTIME_CLASS(CTkControlSelector))) {
    auto* selector = static_cast<CTkControlSelector*>(source);
    m_szInitial = selector->m_szInitial;
    m_szMaximum = selector->m_szMaximum;
    m_szCell = selector->m_szCell;
  }
  CTkControl::CopyControlFrom(source, recursive);
}
