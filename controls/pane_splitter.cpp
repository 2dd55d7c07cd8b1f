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

void CPaneSplitter::DrawVerticalBand() {
  int left = m_rcVertDrag.left + m_rcVertBar.left + m_nBarWidth;
  InvertBand(CRect(left, m_rcVertDrag.top, left + m_nBarWidth, m_rcVertDrag.bottom));
}

void CPaneSplitter::DrawHorizontalBand() {
  int top = m_rcHorzDrag.top + m_rcHorzBar.top + m_nBarWidth / 2;
  InvertBand(CRect(m_rcHorzDrag.left, top, m_rcHorzDrag.right, top + m_nBarWidth));
}

void CPaneSplitter::OnLButtonDown(UINT, CPoint point) {
  if (m_rcVertBar.PtInRect(point)) {
    GetWindowRect(&m_rcVertDrag);
    m_nVertLastX = point.x;
    m_nVertLastY = point.y;
    m_bVertDragging = TRUE;
    DrawVerticalBand();
    SetCapture();
    m_hWndFocusVert = ::SetFocus(m_hWnd);
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
    m_bVertTracking = TRUE;
  } else if (m_rcHorzBar.PtInRect(point)) {
    GetWindowRect(&m_rcHorzDrag);
    m_nHorzLastX = point.x;
    m_nHorzLastY = point.y;
    m_bHorzDragging = TRUE;
    DrawHorizontalBand();
    SetCapture();
    m_hWndFocusHorz = ::SetFocus(m_hWnd);
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENS));
    m_bHorzTracking = TRUE;
  }
  Default();
}

void CPaneSplitter::OnMouseMove(UINT, CPoint point) {
  if (m_rcVertBar.PtInRect(point)) ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
  else if (m_rcHorzBar.PtInRect(point)) ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENS));
  CRect client = ClientOf(this);
  if (m_bVertDragging) {
    DrawVerticalBand();
    int x = LimitSplit(point.x, client.left, client.right, m_nMinLeft, m_nMinRight);
    m_rcVertDrag.OffsetRect(x - m_nVertLastX, 0);
    DrawVerticalBand();
    m_nVertLastX = x;
  }
  if (m_bHorzDragging) {
    DrawHorizontalBand();
    int y = LimitSplit(point.y, client.top, client.bottom, m_nMinTop, m_nMinBottom);
    m_rcHorzDrag.OffsetRect(0, y - m_nHorzLastY);
    DrawHorizontalBand();
    m_nHorzLastY = y;
  }
  Default();
}

void CPaneSplitter::OnLButtonUp(UINT, CPoint point) {
  CRect client = ClientOf(this);
  if (m_bVertDragging && m_bVertTracking) {
    int x = LimitSplit(point.x, client.left, client.right, m_nMinLeft, m_nMinRight);
    DrawVerticalBand();
    m_bVertDragging = FALSE;
    LayOutVertical(x);
    m_nLeftWidth = m_rcLeft.Width();
    m_bVertTracking = FALSE;
    ReleaseCapture();
  }
  if (m_bHorzDragging && m_bHorzTracking) {
    int y = LimitSplit(point.y, client.top, client.bottom, m_nMinTop, m_nMinBottom);
    DrawHorizontalBand();
    m_bHorzDragging = FALSE;
    LayOutHorizontal(y);
    m_nBottomHeight = m_rcBottom.Height();
    m_bHorzTracking = FALSE;
    ReleaseCapture();
  }
  Default();
}

void CPaneSplitter::CancelDrag() {
  if (m_bVertDragging) {
    DrawVerticalBand();
    m_bVertDragging = FALSE;
    m_bVertTracking = FALSE;
    if (::GetCapture() == m_hWnd) ReleaseCapture();
    if (m_hWndFocusVert != nullptr && ::IsWindow(m_hWndFocusVert)) ::SetFocus(m_hWndFocusVert);
  }
  if (m_bHorzDragging) {
    DrawHorizontalBand();
    m_bHorzDragging = FALSE;
    m_bHorzTracking = FALSE;
    if (::GetCapture() == m_hWnd) ReleaseCapture();
    if (m_hWndFocusHorz != nullptr && ::IsWindow(m_hWndFocusHorz)) ::SetFocus(m_hWndFocusHorz);
  }
}

BOOL CPaneSplitter::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && IsDragging()) {
    CancelDrag();
    return TRUE;
  }
  return CStatic::PreTranslateMessage(pMsg);
}

void CPaneSplitter::OnCaptureChanged(CWnd*) {
  // Another window took the mouse: the drag ends as Escape ends it, so no
  // band stays on the screen.
  CancelDrag();
  Default();
}

void CPaneSplitter::OnDestroy() {
  Default();
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return;
  if (!m_rcLeft.IsRectEmpty()) app->WriteProfileInt(VerticalSection(m_nID), kVertEntry, m_rcLeft.right);
  if (!m_rcBottom.IsRectEmpty()) app->WriteProfileInt(HorizontalSection(m_nID), kHorzEntry, m_rcBottom.Height());
}
