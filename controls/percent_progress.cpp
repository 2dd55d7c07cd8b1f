#include "percent_progress.h"

#include <algorithm>

#include "memory_dc.h"
#include "progress_geometry.h"

BEGIN_MESSAGE_MAP(CPercentProgressCtrl, CProgressCtrl)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_GETTEXT, OnGetText)
  ON_MESSAGE(PBM_DELTAPOS, OnDeltaPos)
  ON_MESSAGE(PBM_GETPOS, OnGetPos)
  ON_MESSAGE(PBM_GETRANGE, OnGetRange)
  ON_MESSAGE(PBM_SETBARCOLOR, OnSetBarColor)
  ON_MESSAGE(PBM_SETBKCOLOR, OnSetBkColor)
  ON_MESSAGE(PBM_SETPOS, OnSetPos)
  ON_MESSAGE(PBM_SETRANGE, OnSetRange)
  ON_MESSAGE(PBM_SETRANGE32, OnSetRange32)
  ON_MESSAGE(PBM_SETSTEP, OnSetStep)
  ON_MESSAGE(PBM_STEPIT, OnStepIt)
  ON_MESSAGE(PBM_SETTEXTCOLOR_PRIVATE, OnSetTextColor)
  ON_MESSAGE(PBM_SHOWTEXT_PRIVATE, OnShowText)
END_MESSAGE_MAP()

void CPercentProgressCtrl::InvalidateIfCreated() {
  if (m_hWnd != nullptr) Invalidate(TRUE);
}

LRESULT CPercentProgressCtrl::ExchangeColor(COLORREF& colour, LPARAM lParam) {
  InvalidateIfCreated();
  COLORREF previous = colour;
  colour = static_cast<COLORREF>(lParam);
  return previous;
}

BOOL CPercentProgressCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CPercentProgressCtrl::OnPaint() {
  // The paint always begins and ends, so an empty range asks for no
  // repaint again; it then shows the background only.
  CPaintDC paint(this);
  CMemoryDC memory(&paint);
  DrawBar(&memory);
}

void CPercentProgressCtrl::DrawBar(CDC* pDC) {
  int saved = pDC->SaveDC();
  COLORREF background = m_crBackground == CLR_DEFAULT ? ::GetSysColor(COLOR_WINDOW) : m_crBackground;
  CRect client;
  GetClientRect(&client);
  HFONT hFont = GetParent() != nullptr ? reinterpret_cast<HFONT>(GetParent()->SendMessage(WM_GETFONT)) : nullptr;
  if (hFont != nullptr) pDC->SelectObject(hFont);
  if (m_nLower >= m_nUpper) {
    pDC->FillSolidRect(&client, background);
    pDC->RestoreDC(saved);
    return;
  }
  double fraction = (static_cast<double>(m_nPosition) - m_nLower) / (static_cast<double>(m_nUpper) - m_nLower);
  bool vertical = (GetStyle() & PBS_VERTICAL) != 0;
  // The split stays inside the bar; the text says the true percentage.
  CRect filled = client, rest = client;
  if (vertical) {
    int height = ScaleToBar(client.Height(), m_nPosition, m_nLower, m_nUpper);
    filled.top = rest.bottom = client.bottom - std::max(0, std::min(client.Height(), height));
  } else {
    int width = ScaleToBar(client.Width(), m_nPosition, m_nLower, m_nUpper);
    filled.right = rest.left = client.left + std::max(0, std::min(client.Width(), width));
  }
  pDC->FillSolidRect(&filled, kFillColor);
  pDC->FillSolidRect(&rest, background);
  if (m_bShowText && !vertical) DrawPercentText(pDC, client, filled, rest, fraction, background);
  pDC->RestoreDC(saved);
}

void CPercentProgressCtrl::DrawPercentText(CDC* pDC, const CRect& client, const CRect& filled, const CRect& rest,
                                           double fraction, COLORREF background) {
  CString text = m_strText;
  if (text.IsEmpty()) text.Format(L"%d%%", static_cast<int>(std::max(-1e9, std::min(1e9, fraction * 100))));
  pDC->SetBkMode(TRANSPARENT);
  CPoint origin = pDC->GetWindowOrg();
  auto drawClipped = [&](CRect part, COLORREF colour) {
    part.OffsetRect(-origin.x, -origin.y);
    CRgn region;
    region.CreateRectRgnIndirect(&part);
    pDC->SelectClipRgn(&region);
    pDC->SetTextColor(colour);
    CRect all = client;
    pDC->DrawText(text, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  };
  drawClipped(filled, m_crText == CLR_DEFAULT ? background : m_crText);
  drawClipped(rest, m_crText == CLR_DEFAULT ? kFillColor : m_crText);
}

void CPercentProgressCtrl::OnSize(UINT, int, int) {
  Default();
  m_nDrawnLength = -1;
}

LRESULT CPercentProgressCtrl::OnSetText(WPARAM, LPARAM lParam) {
  LRESULT result = Default();
  LPCWSTR text = reinterpret_cast<LPCWSTR>(lParam);
  if (text == nullptr ? !m_strText.IsEmpty() : m_strText != text) {
    m_strText = text;
    InvalidateIfCreated();
  }
  return result;
}

LRESULT CPercentProgressCtrl::OnGetText(WPARAM wParam, LPARAM lParam) {
  LPWSTR buffer = reinterpret_cast<LPWSTR>(lParam);
  if (wParam == 0 || buffer == nullptr) return 0;
  int count = std::min(m_strText.GetLength(), static_cast<int>(std::min<WPARAM>(wParam - 1, 0x7FFFFFFF)));
  wmemcpy(buffer, m_strText.GetString(), static_cast<size_t>(count));
  buffer[count] = 0;
  return count;
}

LRESULT CPercentProgressCtrl::OnDeltaPos(WPARAM wParam, LPARAM) {
  return SendMessage(PBM_SETPOS, static_cast<WPARAM>(m_nPosition + static_cast<int>(wParam)));
}

LRESULT CPercentProgressCtrl::OnGetPos(WPARAM, LPARAM) { return m_nPosition; }

LRESULT CPercentProgressCtrl::OnGetRange(WPARAM wParam, LPARAM lParam) {
  if (PBRANGE* range = reinterpret_cast<PBRANGE*>(lParam)) {
    range->iLow = m_nLower;
    range->iHigh = m_nUpper;
  }
  return wParam != 0 ? m_nLower : m_nUpper;
}

LRESULT CPercentProgressCtrl::OnSetBarColor(WPARAM, LPARAM lParam) { return ExchangeColor(m_crBar, lParam); }

LRESULT CPercentProgressCtrl::OnSetBkColor(WPARAM, LPARAM lParam) { return ExchangeColor(m_crBackground, lParam); }

LRESULT CPercentProgressCtrl::OnSetPos(WPARAM wParam, LPARAM) {
  if (m_hWnd == nullptr) return -1;
  int previous = m_nPosition;
  m_nPosition = static_cast<int>(wParam);
  CRect client;
  GetClientRect(&client);
  int length = ScaleToBar(client.Width(), m_nPosition, m_nLower, m_nUpper);
  if (length != m_nDrawnLength) {
    m_nDrawnLength = length;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  return previous;
}

LRESULT CPercentProgressCtrl::OnSetRange(WPARAM, LPARAM lParam) {
  m_nLower = LOWORD(lParam);
  m_nUpper = HIWORD(lParam);
  return 0;
}

LRESULT CPercentProgressCtrl::OnSetRange32(WPARAM wParam, LPARAM lParam) {
  m_nLower = static_cast<int>(wParam);
  m_nUpper = static_cast<int>(lParam);
  return 0;
}

LRESULT CPercentProgressCtrl::OnSetStep(WPARAM wParam, LPARAM) {
  int previous = m_nStep;
  m_nStep = static_cast<int>(wParam);
  return previous;
}

LRESULT CPercentProgressCtrl::OnStepIt(WPARAM, LPARAM) {
  return SendMessage(PBM_SETPOS, static_cast<WPARAM>(m_nPosition + m_nStep));
}

LRESULT CPercentProgressCtrl::OnSetTextColor(WPARAM, LPARAM lParam) { return ExchangeColor(m_crText, lParam); }

LRESULT CPercentProgressCtrl::OnShowText(WPARAM wParam, LPARAM) {
  BOOL show = static_cast<BOOL>(wParam);
  if (m_hWnd != nullptr && show != m_bShowText) Invalidate(TRUE);
  m_bShowText = show;
  return 0;
}
