#include "view.h"

#include "document.h"

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CScrollView, CView)
IMPLEMENT_DYNAMIC(CCtrlView, CView)
IMPLEMENT_DYNCREATE(CListView, CCtrlView)
IMPLEMENT_DYNCREATE(CTreeView, CCtrlView)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_MOUSEACTIVATE()
  ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::~CView() {
  if (m_pDocument != nullptr) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCTW& cs) {
  if (cs.lpszClass == nullptr)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  // A sunken client edge instead of a flat border, as views look.
  if (cs.style & WS_BORDER) {
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~static_cast<DWORD>(WS_BORDER);
  }
  cs.style |= WS_CLIPSIBLINGS;
  return TRUE;
}

int CView::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  CCreateContext* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
  if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr) pContext->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != nullptr && pFrame->GetActiveView() == this) pFrame->SetActiveView(nullptr, FALSE);
  CWnd::OnDestroy();
}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  int result = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != nullptr) pFrame->SetActiveView(this);
  return result;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

void CView::OnUpdate(CView* pSender, LPARAM, CObject*) {
  if (pSender != this) Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*) {
  if (!bActivate || pActivateView != this) return;
  HWND hWndFocus = ::GetFocus();
  if (hWndFocus != m_hWnd && !::IsChild(m_hWnd, hWndFocus)) SetFocus();
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BEGIN_MESSAGE_MAP(CScrollView, CView)
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine) {
  m_nMapMode = nMapMode;
  m_totalLog = sizeTotal;
  m_pageDev = sizePage;
  m_lineDev = sizeLine;
  if (m_hWnd != nullptr) UpdateBars();
}

CPoint CScrollView::GetScrollPosition() const {
  return CPoint(::GetScrollPos(m_hWnd, SB_HORZ), ::GetScrollPos(m_hWnd, SB_VERT));
}

void CScrollView::ScrollToPosition(POINT pt) {
  CPoint old = GetScrollPosition();
  ScrollBy(SB_HORZ, pt.x - old.x);
  ScrollBy(SB_VERT, pt.y - old.y);
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  CView::OnPrepareDC(pDC, pInfo);
  CPoint position = GetScrollPosition();
  pDC->SetMapMode(m_nMapMode);
  pDC->SetViewportOrg(-position.x, -position.y);
}

void CScrollView::UpdateBars() {
  // Showing one bar narrows the client area the other's page is measured
  // on: a second pass sets the pages from the final client area.
  for (int pass = 0; pass < 2; ++pass) {
    for (int nBar : {SB_HORZ, SB_VERT}) {
      CRect client;
      GetClientRect(&client);
      SCROLLINFO info = {};
      info.cbSize = sizeof info;
      info.fMask = SIF_RANGE | SIF_PAGE;
      info.nMin = 0;
      info.nMax = (nBar == SB_HORZ ? m_totalLog.cx : m_totalLog.cy) - 1;
      info.nPage = static_cast<UINT>(nBar == SB_HORZ ? client.Width() : client.Height());
      ::SetScrollInfo(m_hWnd, nBar, &info, TRUE);
    }
  }
}

void CScrollView::ScrollBy(int nBar, int delta) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  ::GetScrollInfo(m_hWnd, nBar, &info);
  int maxPos = info.nMax - static_cast<int>(info.nPage) + 1;
  if (maxPos < 0) maxPos = 0;
  int pos = info.nPos + delta;
  if (pos > maxPos) pos = maxPos;
  if (pos < 0) pos = 0;
  if (pos == info.nPos) return;
  ::SetScrollPos(m_hWnd, nBar, pos, TRUE);
  int moved = info.nPos - pos;
  ::ScrollWindowEx(m_hWnd, nBar == SB_HORZ ? moved : 0, nBar == SB_VERT ? moved : 0, nullptr, nullptr, nullptr,
                   nullptr, SW_INVALIDATE | SW_ERASE | SW_SCROLLCHILDREN);
}

void CScrollView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  UpdateBars();
}

namespace {

int ScrollDelta(UINT nSBCode, UINT nPos, int current, int line, int page) {
  switch (nSBCode) {
    case SB_LINEUP: return -line;
    case SB_LINEDOWN: return line;
    case SB_PAGEUP: return -page;
    case SB_PAGEDOWN: return page;
    case SB_TOP: return -current;
    case SB_BOTTOM: return 0x3FFFFFFF;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return static_cast<int>(nPos) - current;
    default: return 0;
  }
}

}  // namespace

void CScrollView::ScrollFromBar(int nBar, UINT nSBCode, UINT nPos) {
  CRect client;
  GetClientRect(&client);
  bool horizontal = nBar == SB_HORZ;
  int extent = horizontal ? client.Width() : client.Height();
  int lineSet = horizontal ? m_lineDev.cx : m_lineDev.cy;
  int pageSet = horizontal ? m_pageDev.cx : m_pageDev.cy;
  int line = lineSet > 0 ? lineSet : extent / 10 + 1;
  int page = pageSet > 0 ? pageSet : extent;
  CPoint position = GetScrollPosition();
  ScrollBy(nBar, ScrollDelta(nSBCode, nPos, horizontal ? position.x : position.y, line, page));
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (pScrollBar != nullptr) return CView::OnHScroll(nSBCode, nPos, pScrollBar);
  ScrollFromBar(SB_HORZ, nSBCode, nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (pScrollBar != nullptr) return CView::OnVScroll(nSBCode, nPos, pScrollBar);
  ScrollFromBar(SB_VERT, nSBCode, nPos);
}

BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint) {
  CRect client;
  GetClientRect(&client);
  int line = m_lineDev.cy > 0 ? m_lineDev.cy : client.Height() / 10 + 1;
  ScrollBy(SB_VERT, -zDelta * 3 * line / WHEEL_DELTA);
  return TRUE;
}

BEGIN_MESSAGE_MAP(CCtrlView, CView)
  ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CCtrlView::PreCreateWindow(CREATESTRUCTW& cs) {
  cs.lpszClass = m_strClass;
  cs.style |= m_dwDefaultStyle;
  return CView::PreCreateWindow(cs);
}
