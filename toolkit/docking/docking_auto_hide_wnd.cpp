#include "docking_auto_hide_wnd.h"

#include <algorithm>

#include "docking_arrangement.h"
#include "docking_hidden_strip.h"
#include "docking_pane.h"
#include "docking_pane_painter.h"
#include "docking_pane_site.h"
#include "docking_split_group.h"
#include "docking_tabbed_container.h"
#include "draw_helpers.h"
#include "resource_loader.h"
#include "toolkit_resources.h"

IMPLEMENT_DYNAMIC(CTkDockingPaneAutoHideWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CTkDockingPaneAutoHideWnd, CMiniFrameWnd)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

BOOL IsHorizontalSide(int side) { return side == kDockLeft || side == kDockRight; }

CRect ScreenToFrame(CWnd* frame, CRect rect) {
  ::MapWindowPoints(HWND_DESKTOP, frame->GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
  rect.NormalizeRect();
  return rect;
}

}  // namespace

CTkDockingPaneAutoHideWnd::CTkDockingPaneAutoHideWnd(CTkDockingPaneHiddenStrip* strip,
                                                     CTkDockingPaneTabbedContainer* container)
    : m_pContainer(container), m_pStrip(strip), m_side(strip->GetSide()) {
  m_bVertical = !IsHorizontalSide(m_side);
  CTkDockingPaneSite* site = GetSite();
  CFrameWnd* frame = site != nullptr ? site->GetSite() : nullptr;
  if (frame == nullptr || frame->GetSafeHwnd() == nullptr) return;

  CRect rect = GetDockedArea();
  MINMAXINFO info;
  GetMinMaxInfo(&info, TRUE);
  CTkDockingPaneObject* pane = container->GetSelected();
  CTkDockingPaneNode* sized = pane != nullptr ? static_cast<CTkDockingPaneNode*>(pane) : container;
  int length = (m_bVertical ? sized->DockingCY : sized->DockingCX) + kBand;
  length = std::min<int>(length, m_bVertical ? info.ptMaxTrackSize.y : info.ptMaxTrackSize.x);
  length = std::max<int>(length, m_bVertical ? info.ptMinTrackSize.y : info.ptMinTrackSize.x);
  switch (ScreenSide()) {
    case kDockLeft: rect.right = rect.left + length; break;
    case kDockRight: rect.left = rect.right - length; break;
    case kDockTop: rect.bottom = rect.top + length; break;
    default: rect.top = rect.bottom - length; break;
  }
  m_targetRect = ScreenToFrame(frame, rect);

  CRect range;
  CRect band;
  HCURSOR cursor = ::LoadCursorW(nullptr, IDC_ARROW);
  if (!site->m_bLockAutoHideSize && GetLimits(&range, &band)) {
    HCURSOR resize = GetToolkitResourceLoader()->LoadCursor(m_bVertical ? IDC_TK_SPLIT_BAR_ROWS : IDC_TK_SPLIT_BAR_COLUMNS);
    if (resize != nullptr) cursor = resize;
  }
  LPCWSTR windowClass = AfxRegisterWndClass(0, cursor);

  // The frame repaints once, after the window is in place.
  frame->UpdateWindow();
  frame->SendMessage(WM_SETREDRAW, FALSE);
  DWORD exStyle = (frame->GetExStyle() & WS_EX_LAYOUTRTL) ? WS_EX_LAYOUTRTL : 0;
  BOOL created = CreateEx(exStyle, windowClass, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, m_targetRect, frame, 0);
  frame->SendMessage(WM_SETREDRAW, TRUE);
  if (!created) return;

  m_step = 0;
  m_steps = 8;
  m_bSlidingIn = FALSE;
  if (m_steps > 1) SetTimer(kTimerSlideOut, kStepTime, nullptr);
  MoveToStep();
  if (container->GetSafeHwnd() != nullptr) container->ShowWindow(SW_SHOWNA);
  SetTimer(kTimerWatch, kWatchTime, nullptr);
  m_countdown = kCountdown;
}

CTkDockingPaneSite* CTkDockingPaneAutoHideWnd::GetSite() const {
  return m_pStrip != nullptr ? m_pStrip->GetDockingPaneManager() : nullptr;
}

int CTkDockingPaneAutoHideWnd::ScreenSide() const {
  CTkDockingPaneSite* site = GetSite();
  return site != nullptr ? site->MirrorDirection(m_side) : m_side;
}

CRect CTkDockingPaneAutoHideWnd::GetDockedArea() const {
  CTkDockingPaneSite* site = GetSite();
  CTkDockingPaneNode* top = site != nullptr ? site->GetTopContainer() : nullptr;
  return top != nullptr ? top->GetScreenRect() : CRect(0, 0, 0, 0);
}

void CTkDockingPaneAutoHideWnd::GetMinMaxInfo(MINMAXINFO* pInfo, BOOL bAddBand) {
  ZeroMemory(pInfo, sizeof(MINMAXINFO));
  pInfo->ptMaxTrackSize = CPoint(32000, 32000);
  if (m_pContainer != nullptr && m_pContainer->GetSelected() != nullptr) {
    // The selected pane's limits with the container's caption around them.
    MINMAXINFO pane;
    m_pContainer->GetSelected()->GetMinMaxInfo(&pane);
    pInfo->ptMinTrackSize = pane.ptMinTrackSize;
    pInfo->ptMaxTrackSize = pane.ptMaxTrackSize;
    CTkDockingPanePainter* painter = m_pContainer->GetPaintManager();
    if (painter != nullptr) {
      CRect rect(0, 0, 1000, 1000);
      painter->AdjustClientRect(m_pContainer, &rect, FALSE);
      CSize frame(1000 - rect.Width(), 1000 - rect.Height());
      pInfo->ptMinTrackSize.x += frame.cx;
      pInfo->ptMaxTrackSize.x += frame.cx;
      pInfo->ptMinTrackSize.y += frame.cy;
      pInfo->ptMaxTrackSize.y += frame.cy;
    }
  }
  if (!bAddBand) return;
  if (m_bVertical) {
    pInfo->ptMinTrackSize.y += kBand;
    pInfo->ptMaxTrackSize.y += kBand;
  } else {
    pInfo->ptMinTrackSize.x += kBand;
    pInfo->ptMaxTrackSize.x += kBand;
  }
}

CRect CTkDockingPaneAutoHideWnd::GetStepRect(int step) const {
  CRect rect = m_targetRect;
  const CRect& t = m_targetRect;
  switch (m_side) {
    case kDockLeft: rect.right = t.left + t.Width() * (step + 1) / m_steps; break;
    case kDockRight: rect.left = t.right - t.Width() * (step + 1) / m_steps; break;
    case kDockTop: rect.bottom = t.top + t.Height() * (step + 1) / m_steps; break;
    default: rect.top = t.bottom - t.Height() * (step + 1) / m_steps; break;
  }
  return rect;
}

void CTkDockingPaneAutoHideWnd::MoveToStep() {
  if (m_hWnd == nullptr) return;
  CRect rect = GetStepRect(m_step);
  // Above the docked windows, which lie at the bottom of the z-order.
  SetWindowPos(&CWnd::wndTop, rect.left, rect.top, rect.Width(), rect.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate(FALSE);
}

void CTkDockingPaneAutoHideWnd::RecalcLayout(BOOL) {
  m_nIdleFlags &= ~(AFX_IDLE_LAYOUT | AFX_IDLE_NOTIFY);
  if (m_hWnd == nullptr || m_pContainer == nullptr || m_pContainer->GetSafeHwnd() == nullptr) return;
  CRect client;
  GetClientRect(&client);
  // The container keeps its full size while the window is still sliding:
  // it moves with the window's moving edge.
  CRect rect(0, 0, m_targetRect.Width(), m_targetRect.Height());
  if (m_side == kDockLeft) rect.OffsetRect(client.right - rect.right, 0);
  if (m_side == kDockTop) rect.OffsetRect(0, client.bottom - rect.bottom);
  switch (m_side) {
    case kDockLeft: rect.right -= kBand; break;
    case kDockRight: rect.left += kBand; break;
    case kDockTop: rect.bottom -= kBand; break;
    default: rect.top += kBand; break;
  }
  AFX_SIZEPARENTPARAMS params = {};
  params.hDWP = ::BeginDeferWindowPos(8);
  params.rect = rect;
  m_pContainer->OnSizeParent(this, rect, &params);
  if (params.hDWP != nullptr) ::EndDeferWindowPos(params.hDWP);
}

void CTkDockingPaneAutoHideWnd::Close() {
  if (m_hWnd == nullptr) return;
  ShowWindow(SW_HIDE);
  LetGo(TRUE);
  PostMessage(WM_CLOSE);
}

void CTkDockingPaneAutoHideWnd::CloseDelayed() {
  if (m_hWnd == nullptr) return;
  LetGo(FALSE);
  SetTimer(kTimerClose, kCloseDelay, nullptr);
}

void CTkDockingPaneAutoHideWnd::LetGo(BOOL onlyOwnChild) {
  KillTimer(kTimerWatch);
  KillTimer(kTimerSlideOut);
  KillTimer(kTimerSlideIn);
  CTkDockingPaneSite* site = GetSite();
  HWND container = m_pContainer != nullptr ? m_pContainer->GetSafeHwnd() : nullptr;
  if (container != nullptr && (!onlyOwnChild || ::GetParent(container) == m_hWnd)) {
    m_pContainer->ShowWindow(SW_HIDE);
    if (site != nullptr) m_pContainer->SetDockingSite(site->GetSite());
  }
  // The frame may close or a layout be loaded before the close arrives: the
  // window keeps nothing it could reach freed through, and the strip, if it
  // goes first, destroys this window rather than leave it pointing at it.
  m_pContainer = nullptr;
  if (m_pStrip != nullptr) {
    if (m_pStrip->m_pAutoHideWnd == this) m_pStrip->m_pAutoHideWnd = nullptr;
    m_pStrip->AddClosingWindow(this);
    m_pStrip = nullptr;
  }
}

BOOL CTkDockingPaneAutoHideWnd::GetLimits(RECT* range, RECT* band) {
  CTkDockingPaneSite* site = GetSite();
  if (site == nullptr) return FALSE;
  CRect dock = GetDockedArea();
  int side = ScreenSide();
  MINMAXINFO info;
  GetMinMaxInfo(&info, side == kDockRight || side == kDockBottom);
  int margin = site->m_autoHideMargin + kBand;
  BOOL horizontal = IsHorizontalSide(side);
  int minimum = horizontal ? info.ptMinTrackSize.x : info.ptMinTrackSize.y;
  int maximum = horizontal ? info.ptMaxTrackSize.x : info.ptMaxTrackSize.y;
  int nearShrink = std::max(margin, minimum);
  CRect limits = dock;
  switch (side) {
    case kDockLeft:
      limits.left = dock.left + nearShrink;
      limits.right = std::min<int>(dock.right - margin, dock.left + maximum);
      break;
    case kDockRight:
      limits.left = std::max<int>(dock.left + margin, dock.right - maximum);
      limits.right = dock.right - nearShrink;
      break;
    case kDockTop:
      limits.top = dock.top + nearShrink;
      limits.bottom = std::min<int>(dock.bottom - margin, dock.top + maximum);
      break;
    default:
      limits.top = std::max<int>(dock.top + margin, dock.bottom - maximum);
      limits.bottom = dock.bottom - nearShrink;
      break;
  }
  if (horizontal ? limits.left >= limits.right : limits.top >= limits.bottom) return FALSE;
  if (range != nullptr) *range = limits;
  if (band != nullptr) {
    CRect window = m_targetRect;
    if (m_hWnd != nullptr) GetWindowRect(&window);
    else if (site->GetSite() != nullptr)
      ::MapWindowPoints(site->GetSite()->GetSafeHwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&window), 2);
    window.NormalizeRect();
    CRect edge = window;
    switch (side) {
      case kDockLeft: edge.left = window.right - kBand; break;
      case kDockRight: edge.right = window.left + kBand; break;
      case kDockTop: edge.top = window.bottom - kBand; break;
      default: edge.bottom = window.top + kBand; break;
    }
    *band = edge;
  }
  return TRUE;
}

void CTkDockingPaneAutoHideWnd::ApplyBand(const CRect& band) {
  CTkDockingPaneSite* site = GetSite();
  if (site == nullptr || site->GetSite() == nullptr || m_pContainer == nullptr) return;
  CRect dock = GetDockedArea();
  CRect window = band;
  switch (ScreenSide()) {
    case kDockLeft: window.left = dock.left; break;
    case kDockRight: window.right = dock.right; break;
    case kDockTop: window.top = dock.top; break;
    default: window.bottom = dock.bottom; break;
  }
  // The pane's size leaves the band out, as sliding out adds it: the
  // window comes out next time as wide as the user left it.
  CTkDockingPaneObject* pane = m_pContainer->GetSelected();
  CTkDockingPaneNode* sized = pane != nullptr ? static_cast<CTkDockingPaneNode*>(pane) : m_pContainer;
  if (m_bVertical) sized->DockingCY = window.Height() - kBand;
  else sized->DockingCX = window.Width() - kBand;
  m_targetRect = ScreenToFrame(site->GetSite(), window);
  m_step = m_steps - 1;
  MoveWindow(&m_targetRect, TRUE);
  Invalidate(FALSE);
}

void CTkDockingPaneAutoHideWnd::Watch() {
  CTkDockingPaneSite* site = GetSite();
  if (m_pContainer == nullptr || site == nullptr || m_bResizing) return;
  HWND focus = ::GetFocus();
  HWND container = m_pContainer->GetSafeHwnd();
  BOOL inside = focus != nullptr && container != nullptr && (focus == container || ::IsChild(container, focus));
  CPoint cursor;
  ::GetCursorPos(&cursor);
  CRect rect;
  GetWindowRect(&rect);
  if (rect.PtInRect(cursor)) inside = TRUE;
  if (m_pStrip->GetSafeHwnd() != nullptr) {
    m_pStrip->GetWindowRect(&rect);
    if (rect.PtInRect(cursor)) inside = TRUE;
  }
  if (inside) {
    m_countdown = kCountdown;
    if (m_bSlidingIn) {
      m_bSlidingIn = FALSE;
      KillTimer(kTimerSlideIn);
      SetTimer(kTimerSlideOut, kStepTime, nullptr);
    }
    return;
  }
  if (m_bSlidingIn) return;
  if (m_countdown-- > 1) return;
  m_countdown = 0;
  if (site->NotifyAction(kActionSlidingIn, m_pContainer->GetSelected(), nullptr, 0)) {
    m_countdown = kCountdown;
    return;
  }
  m_bSlidingIn = TRUE;
  KillTimer(kTimerSlideOut);
  SetTimer(kTimerSlideIn, kStepTime, nullptr);
}

void CTkDockingPaneAutoHideWnd::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kTimerClose) {
    KillTimer(kTimerClose);
    Close();
    return;
  }
  CTkDockingPaneSite* site = GetSite();
  // A window whose container is gone only waits to be destroyed.
  if (m_pContainer == nullptr || site == nullptr) return;
  switch (nIDEvent) {
    case kTimerWatch:
      Watch();
      return;
    case kTimerSlideIn:
      if (!m_bSlidingIn) return;
      if (--m_step < 0) {
        m_bSlidingIn = FALSE;
        KillTimer(kTimerSlideIn);
        m_step = 0;
        site->NotifyAction(kActionSlidIn, m_pContainer->GetSelected(), nullptr, 0);
        Close();
        return;
      }
      MoveToStep();
      return;
    case kTimerSlideOut:
      if (m_bSlidingIn) return;
      if (++m_step < m_steps) {
        MoveToStep();
        return;
      }
      m_step = m_steps - 1;
      KillTimer(kTimerSlideOut);
      site->NotifyAction(kActionSlidOut, m_pContainer->GetSelected(), nullptr, 0);
      return;
    default:
      CMiniFrameWnd::OnTimer(nIDEvent);
  }
}

void CTkDockingPaneAutoHideWnd::OnMouseMove(UINT nFlags, CPoint point) {
  // A pointer coming back stops the slide at once.
  if (m_bSlidingIn) Watch();
  CMiniFrameWnd::OnMouseMove(nFlags, point);
}

void CTkDockingPaneAutoHideWnd::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  CTkOffscreenDC dc(paint.GetSafeHdc(), client.left, client.top, client.right, client.bottom);
  CTkDockingPanePainter* painter = m_pContainer != nullptr ? m_pContainer->GetPaintManager() : nullptr;
  if (painter == nullptr) {
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    return;
  }
  dc.FillSolidRect(&client, painter->GetColor(51));
  const int r = client.right;
  const int b = client.bottom;
  switch (m_side) {
    case kDockLeft:
      CTkDockingPanePainter::DrawLine(&dc, r - 1, 0, r - 1, b, painter->GetColor(18));
      CTkDockingPanePainter::DrawLine(&dc, r - 2, 0, r - 2, b, painter->GetColor(16));
      break;
    case kDockTop:
      CTkDockingPanePainter::DrawLine(&dc, 0, b - 1, r, b - 1, painter->GetColor(18));
      CTkDockingPanePainter::DrawLine(&dc, 0, b - 2, r, b - 2, painter->GetColor(16));
      break;
    case kDockRight:
      CTkDockingPanePainter::DrawLine(&dc, 1, 0, 1, b, painter->GetColor(20));
      break;
    default:
      CTkDockingPanePainter::DrawLine(&dc, 0, 1, r, 1, painter->GetColor(20));
      break;
  }
}

void CTkDockingPaneAutoHideWnd::OnLButtonDown(UINT nFlags, CPoint point) {
  CTkDockingPaneSite* site = GetSite();
  CRect range;
  CRect band;
  if (site == nullptr || site->m_bLockAutoHideSize || m_pContainer == nullptr || !GetLimits(&range, &band)) {
    CMiniFrameWnd::OnLButtonDown(nFlags, point);
    return;
  }
  CPoint screen = point;
  ClientToScreen(&screen);
  if (!band.PtInRect(screen)) return;
  m_bResizing = TRUE;
  HWND self = m_hWnd;
  if (site->m_bResizeWithTracker) {
    CTkDragLineTracker tracker;
    if (tracker.Track(this, range, band, screen, !m_bVertical) && ::IsWindow(self)) ApplyBand(band);
  } else {
    TrackLive(screen, range);
  }
  if (::IsWindow(self)) m_bResizing = FALSE;
}

void CTkDockingPaneAutoHideWnd::TrackLive(CPoint screen, const CRect& range) {
  CRect band;
  if (!GetLimits(nullptr, &band)) return;
  HWND hWnd = m_hWnd;
  // Every step is applied at once; Escape keeps the size reached.
  TrackAlongAxis(hWnd, range, band, screen, !m_bVertical, TRUE, [this, hWnd](const CRect&, const CRect& to) {
    ApplyBand(to);
    return ::IsWindow(hWnd);
  });
}

BOOL CTkDockingPaneAutoHideWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  // Nothing a handler throws may leave the window procedure.
  try {
    return CMiniFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
  } catch (...) {
    if (pResult != nullptr) *pResult = 0;
    return TRUE;
  }
}

void CTkDockingPaneAutoHideWnd::PostNcDestroy() {
  if (m_pStrip != nullptr && m_pStrip->m_pAutoHideWnd == this) m_pStrip->m_pAutoHideWnd = nullptr;
  // Destroyed with the frame while slid out: the container's window went
  // with this one, and the container must not keep this as its site.
  CTkDockingPaneSite* site = GetSite();
  if (m_pContainer != nullptr && m_pContainer->GetDockingSite() == this && site != nullptr)
    m_pContainer->SetDockingSite(site->GetSite());
  delete this;
}
