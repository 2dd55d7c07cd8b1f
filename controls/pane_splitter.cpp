#include "pane_splitter.h"

#include <algorithm>

namespace {

LPCWSTR const kVertEntry = L"VertSplitPos";
LPCWSTR const kHorzEntry = L"HorizSplitPos";

CRect ClientOf(CWnd* pWnd) {
  CRect client;
  pWnd->GetClientRect(&client);
  return client;
}

void MovePane(CWnd* pPane, const CRect& rect) {
  if (pPane != nullptr && pPane->GetSafeHwnd() != nullptr) pPane->MoveWindow(&rect, TRUE);
}

}  // namespace

int LimitSplit(int centre, int low, int high, int minimumLow, int minimumHigh) {
  centre = std::min(centre, high - minimumHigh);
  return std::max(centre, low + minimumLow);
}

SplitLayout VerticalSplitLayout(const CRect& client, int centre, int barWidth) {
  int half = barWidth / 2;
  SplitLayout layout;
  layout.bar = CRect(centre - barWidth, client.top, centre + barWidth, client.bottom);
  layout.first = CRect(client.left, client.top, centre - half, client.bottom);
  layout.second = CRect(layout.first.right + barWidth, client.top, client.right, client.bottom);
  return layout;
}

SplitLayout HorizontalSplitLayout(const CRect& client, int centre, int barWidth) {
  int half = barWidth / 2;
  SplitLayout layout;
  layout.bar = CRect(0, centre - barWidth, client.right, centre + barWidth);
  layout.second = CRect(client.left, centre + half, client.right, client.bottom);
  layout.first = CRect(client.left, client.top, client.right, layout.second.top - barWidth);
  return layout;
}

BEGIN_MESSAGE_MAP(CPaneSplitter, CStatic)
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_DESTROY()
  ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CString CPaneSplitter::VerticalSection(UINT nID) {
  CString section;
  section.Format(L"%s%d", L"splt\\init_v", nID);
  return section;
}

CString CPaneSplitter::HorizontalSection(UINT nID) {
  CString section;
  section.Format(L"%s%d", L"splt\\init_h", nID);
  return section;
}

BOOL CPaneSplitter::PreCreateWindow(CREATESTRUCTW& cs) {
  cs.style |= SS_NOTIFY;
  return CStatic::PreCreateWindow(cs);
}

BOOL CPaneSplitter::Create(DWORD dwStyle, CWnd* pParentWnd, CWnd* pFirstPane, CWnd* pSecondPane, UINT nID,
                           const RECT& rect, int nFirstMinimum, int nSecondMinimum) {
  if (!CStatic::Create(L"", dwStyle, rect, pParentWnd, nID)) return FALSE;
  m_nID = nID;
  for (CWnd* pPane : {pFirstPane, pSecondPane}) {
    if (pPane == nullptr || pPane->GetSafeHwnd() == nullptr) continue;
    pPane->SetParent(this);
    pPane->SetOwner(pParentWnd);
  }
  CWinApp* app = AfxGetApp();
  CRect client = ClientOf(this);
  if (dwStyle & kSplitVertical) {
    m_pLeft = pFirstPane;
    m_pRight = pSecondPane;
    m_nMinLeft = nFirstMinimum;
    m_nMinRight = nSecondMinimum;
    m_bVertMode = TRUE;
    int stored = app != nullptr
                     ? static_cast<int>(app->GetProfileInt(VerticalSection(nID), kVertEntry, 2 * nFirstMinimum))
                     : 2 * nFirstMinimum;
    m_rcLeft.right = stored;
    if (!m_bFirstPaneHidden) {
      LayOutVertical(stored + m_nBarWidth / 2);
      m_nLeftWidth = m_rcLeft.Width();
    } else {
      FillWithSecondPane();
    }
  }
  if (dwStyle & kSplitHorizontal) {
    m_pTop = pFirstPane;
    m_pBottom = pSecondPane;
    m_nMinTop = nFirstMinimum;
    m_nMinBottom = nSecondMinimum;
    m_bHorzMode = TRUE;
    m_nBottomHeight = app != nullptr ? static_cast<int>(app->GetProfileInt(HorizontalSection(nID), kHorzEntry,
                                                                           2 * nSecondMinimum))
                                     : 2 * nSecondMinimum;
    LayOutHorizontal(client.bottom - m_nBarWidth / 2 - m_nBottomHeight);
  }
  return TRUE;
}

void CPaneSplitter::LayOutVertical(int centre) {
  SplitLayout layout = VerticalSplitLayout(ClientOf(this), centre, m_nBarWidth);
  m_rcVertBar = layout.bar;
  if (m_pLeft != nullptr && m_pLeft->GetSafeHwnd() != nullptr) {
    m_rcLeft = layout.first;
    MovePane(m_pLeft, m_rcLeft);
  }
  if (m_pRight != nullptr && m_pRight->GetSafeHwnd() != nullptr) {
    m_rcRight = CRect(m_rcLeft.right + m_nBarWidth, layout.second.top, layout.second.right, layout.second.bottom);
    MovePane(m_pRight, m_rcRight);
  }
}

void CPaneSplitter::LayOutHorizontal(int centre) {
  SplitLayout layout = HorizontalSplitLayout(ClientOf(this), centre, m_nBarWidth);
  m_rcHorzBar = layout.bar;
  if (m_pBottom != nullptr && m_pBottom->GetSafeHwnd() != nullptr) {
    m_rcBottom = layout.second;
    MovePane(m_pBottom, m_rcBottom);
  }
  if (m_pTop != nullptr && m_pTop->GetSafeHwnd() != nullptr) {
    m_rcTop = CRect(layout.first.left, layout.first.top, layout.first.right, m_rcBottom.top - m_nBarWidth);
    MovePane(m_pTop, m_rcTop);
  }
}

void CPaneSplitter::FillWithSecondPane() {
  if (m_pLeft != nullptr && m_pLeft->GetSafeHwnd() != nullptr) m_pLeft->ShowWindow(SW_HIDE);
  MovePane(m_pRight, ClientOf(this));
}

void CPaneSplitter::HideFirstPane() {
  if (!m_bVertMode || m_bFirstPaneHidden || m_pRight == nullptr || m_pRight->GetSafeHwnd() == nullptr) return;
  m_bFirstPaneHidden = TRUE;
  m_rcVertBar.SetRectEmpty();
  FillWithSecondPane();
}

void CPaneSplitter::ShowFirstPane() {
  if (!m_bVertMode) return;
  m_bFirstPaneHidden = FALSE;
  LayOutVertical(m_rcLeft.right + m_nBarWidth / 2);
  if (m_pLeft != nullptr && m_pLeft->GetSafeHwnd() != nullptr) m_pLeft->ShowWindow(SW_SHOW);
}

void CPaneSplitter::OnSize(UINT, int, int) {
  Default();
  CRect client = ClientOf(this);
  int half = m_nBarWidth / 2;
  if (m_bVertMode) {
    if (!m_bFirstPaneHidden)
      LayOutVertical(LimitSplit(m_nLeftWidth + half, client.left, client.right, m_nMinLeft, m_nMinRight));
    else
      FillWithSecondPane();
  }
  if (m_bHorzMode)
    LayOutHorizontal(
        LimitSplit(client.bottom - half - m_nBottomHeight, client.top, client.bottom, m_nMinTop, m_nMinBottom));
}

void CPaneSplitter::InvertBand(const CRect& band) {
  CWnd* pParent = GetParent();
  if (pParent == nullptr) return;
  CRect parentWindow;
  pParent->GetWindowRect(&parentWindow);
  CRect rect = band;
  rect.OffsetRect(-parentWindow.left, -parentWindow.top);
  HDC hDC = ::GetWindowDC(pParent->m_hWnd);
  if (hDC == nullptr) return;
  HBRUSH hBrush = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
  HGDIOBJ old = ::SelectObject(hDC, hBrush);
  ::PatBlt(hDC, rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
  ::SelectObject(hDC, old);
  ::DeleteObject(hBrush);
  ::ReleaseDC(pParent->m_hWnd, hDC);
}

HCURSOR CPaneSplitter::SizingCursor(BOOL vertical) {
  return ::LoadCursorW(nullptr, vertical ? IDC_SIZEWE : IDC_SIZENS);
}

int CPaneSplitter::LimitAlong(BOOL vertical, CPoint point) {
  CRect client = ClientOf(this);
  return vertical ? LimitSplit(point.x, client.left, client.right, m_nMinLeft, m_nMinRight)
                  : LimitSplit(point.y, client.top, client.bottom, m_nMinTop, m_nMinBottom);
}

void CPaneSplitter::DrawBand(BOOL vertical) {
  const SplitDrag& drag = Drag(vertical);
  if (vertical) {
    int left = drag.rect.left + m_rcVertBar.left + m_nBarWidth;
    InvertBand(CRect(left, drag.rect.top, left + m_nBarWidth, drag.rect.bottom));
  } else {
    int top = drag.rect.top + m_rcHorzBar.top + m_nBarWidth / 2;
    InvertBand(CRect(drag.rect.left, top, drag.rect.right, top + m_nBarWidth));
  }
}

void CPaneSplitter::BeginDrag(BOOL vertical, CPoint point) {
  SplitDrag& drag = Drag(vertical);
  GetWindowRect(&drag.rect);
  drag.last = point;
  drag.dragging = TRUE;
  DrawBand(vertical);
  SetCapture();
  drag.focusBefore = ::SetFocus(m_hWnd);
  ::SetCursor(SizingCursor(vertical));
  drag.tracking = TRUE;
}

void CPaneSplitter::FollowDrag(BOOL vertical, CPoint point) {
  SplitDrag& drag = Drag(vertical);
  if (!drag.dragging) return;
  DrawBand(vertical);
  int at = LimitAlong(vertical, point);
  if (vertical) {
    drag.rect.OffsetRect(at - drag.last.x, 0);
    drag.last.x = at;
  } else {
    drag.rect.OffsetRect(0, at - drag.last.y);
    drag.last.y = at;
  }
  DrawBand(vertical);
}

void CPaneSplitter::EndDrag(BOOL vertical, CPoint point) {
  SplitDrag& drag = Drag(vertical);
  if (!drag.dragging || !drag.tracking) return;
  int at = LimitAlong(vertical, point);
  DrawBand(vertical);
  drag.dragging = FALSE;
  if (vertical) {
    LayOutVertical(at);
    m_nLeftWidth = m_rcLeft.Width();
  } else {
    LayOutHorizontal(at);
    m_nBottomHeight = m_rcBottom.Height();
  }
  drag.tracking = FALSE;
  ReleaseCapture();
}

void CPaneSplitter::CancelDrag(BOOL vertical) {
  SplitDrag& drag = Drag(vertical);
  if (!drag.dragging) return;
  DrawBand(vertical);
  drag.dragging = FALSE;
  drag.tracking = FALSE;
  if (::GetCapture() == m_hWnd) ReleaseCapture();
  if (drag.focusBefore != nullptr && ::IsWindow(drag.focusBefore)) ::SetFocus(drag.focusBefore);
}

void CPaneSplitter::OnLButtonDown(UINT, CPoint point) {
  if (m_rcVertBar.PtInRect(point)) BeginDrag(TRUE, point);
  else if (m_rcHorzBar.PtInRect(point)) BeginDrag(FALSE, point);
  Default();
}

void CPaneSplitter::OnMouseMove(UINT, CPoint point) {
  if (m_rcVertBar.PtInRect(point)) ::SetCursor(SizingCursor(TRUE));
  else if (m_rcHorzBar.PtInRect(point)) ::SetCursor(SizingCursor(FALSE));
  FollowDrag(TRUE, point);
  FollowDrag(FALSE, point);
  Default();
}

void CPaneSplitter::OnLButtonUp(UINT, CPoint point) {
  EndDrag(TRUE, point);
  EndDrag(FALSE, point);
  Default();
}

BOOL CPaneSplitter::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && IsDragging()) {
    CancelDrag(TRUE);
    CancelDrag(FALSE);
    return TRUE;
  }
  return CStatic::PreTranslateMessage(pMsg);
}

void CPaneSplitter::OnCaptureChanged(CWnd*) {
  // Another window took the mouse: the drag ends as Escape ends it, so no
  // band stays on the screen.
  CancelDrag(TRUE);
  CancelDrag(FALSE);
  Default();
}

void CPaneSplitter::OnDestroy() {
  Default();
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return;
  if (!m_rcLeft.IsRectEmpty()) app->WriteProfileInt(VerticalSection(m_nID), kVertEntry, m_rcLeft.right);
  if (!m_rcBottom.IsRectEmpty()) app->WriteProfileInt(HorizontalSection(m_nID), kHorzEntry, m_rcBottom.Height());
}
