#include "docking_mini_wnd.h"

#include <algorithm>

#include "docking_arrangement.h"
#include "docking_drag_tracker.h"
#include "docking_pane.h"
#include "docking_pane_painter.h"
#include "docking_pane_site.h"
#include "docking_split_group.h"
#include "docking_tabbed_container.h"
#include "draw_helpers.h"
#include "prop_exchange.h"
#include "resource_loader.h"
#include "tip_context.h"

IMPLEMENT_DYNAMIC(CTkDockingPaneMiniWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CTkDockingPaneMiniWnd, CMiniFrameWnd)
ON_WM_CLOSE()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCRBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_DESTROY()
ON_WM_NCHITTEST()
ON_WM_NCPAINT()
ON_WM_NCCALCSIZE()
ON_WM_NCMOUSEMOVE()
ON_WM_TIMER()
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_WM_GETMINMAXINFO()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CTkDockingPaneMiniWnd::CTkDockingPaneMiniWnd(CTkDockingPaneArrangement* arrangement)
    : CTkDockingPaneNode(kNodeMiniFrame, arrangement) {
  // The frame is the docking site of everything inside it.
  m_pDockingSite = this;
  for (int id : {kButtonClose, kButtonAutoHide, kButtonMenu})
    m_captionButtons.push_back(new CTkDockingPaneCaptionButton(id, this));
}

CTkDockingPaneMiniWnd::~CTkDockingPaneMiniWnd() {
  if (m_hWnd != nullptr) DestroyWindow();
}

BOOL CTkDockingPaneMiniWnd::IsThemed() const {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  return site != nullptr && site->m_bThemedFloatingFrames;
}

int CTkDockingPaneMiniWnd::CollapsedHeight() const {
  CTkDockingPanePainter* painter = GetPaintManager();
  return (painter != nullptr ? painter->m_captionHeight : 0) + 8;
}

BOOL CTkDockingPaneMiniWnd::HasFocusInside() const {
  HWND focus = ::GetFocus();
  return m_hWnd != nullptr && focus != nullptr && (focus == m_hWnd || ::IsChild(m_hWnd, focus));
}

// Placement.

CRect CTkDockingPaneMiniWnd::PlaceOnWorkArea(const CRect& rect, const CRect& workArea) {
  CRect overlap;
  if (overlap.IntersectRect(&rect, &workArea)) return rect;
  // Moving only until the edges touch would leave the frame wholly outside,
  // out of the user's reach: bring it inside, the top-left corner first.
  CRect placed = rect;
  int dx = 0;
  if (placed.right <= workArea.left) dx = workArea.left - placed.left;
  else if (placed.left >= workArea.right) dx = std::max(workArea.right - placed.Width(), workArea.left) - placed.left;
  int dy = 0;
  if (placed.bottom <= workArea.top) dy = workArea.top - placed.top;
  else if (placed.top >= workArea.bottom) dy = std::max(workArea.bottom - placed.Height(), workArea.top) - placed.top;
  placed.OffsetRect(dx, dy);
  return placed;
}

BOOL CTkDockingPaneMiniWnd::CreateAt(CRect rect) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site == nullptr || site->GetSite() == nullptr || m_hWnd != nullptr) return m_hWnd != nullptr;
  rect = PlaceOnWorkArea(rect, FindWorkAreaOfRect(rect));
  CFrameWnd* frame = site->GetSite();
  DWORD exStyle = (frame->GetExStyle() & WS_EX_LAYOUTRTL) ? WS_EX_LAYOUTRTL : 0;
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | MFS_BLOCKSYSMENU;
  if (site->m_bSyncActiveFloatingFrames) style |= MFS_SYNCACTIVE;
  if (!CreateEx(exStyle, GetWindowClass(), L"", style, rect, frame)) return FALSE;
  HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
  if (menu != nullptr) {
    for (UINT command : {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) ::DeleteMenu(menu, command, MF_BYCOMMAND);
    CString hide;
    if (hide.LoadString(AFX_IDS_HIDE) && !hide.IsEmpty()) {
      ::DeleteMenu(menu, SC_CLOSE, MF_BYCOMMAND);
      ::AppendMenuW(menu, MF_STRING, SC_CLOSE, hide);
    }
  }
  m_bCloseAllowed = TRUE;
  if (IsThemed()) ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
  return TRUE;
}

void CTkDockingPaneMiniWnd::SetTopContainer(CTkDockingPaneSplitGroup* group) {
  m_pTopContainer = group;
  if (group == nullptr) return;
  group->SetParentContainer(this);
  group->OnParentContainerChanged(this);
}

void CTkDockingPaneMiniWnd::Float(CTkDockingPaneNode* node, CRect rect) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site == nullptr || node == nullptr) return;
  CreateAt(rect);
  m_paneRect = rect;
  if (node->GetType() == kNodePane) {
    auto* container = static_cast<CTkDockingPaneTabbedContainer*>(site->CreatePaneNode(kNodeTabbedContainer, m_pArrangement));
    container->InitFromPane(static_cast<CTkDockingPaneObject*>(node), this);
    node = container;
  }
  auto* group = static_cast<CTkDockingPaneSplitGroup*>(site->CreatePaneNode(kNodeSplitGroup, m_pArrangement));
  group->Init(node, TRUE, this);
  SetTopContainer(group);
  OnChildContainerChanged(group);
  DelayRecalcLayout();
}

// Layout.

void CTkDockingPaneMiniWnd::OnChildContainerChanged(CTkDockingPaneNode*) { RefreshLayout(TRUE); }

void CTkDockingPaneMiniWnd::UpdateSystemMenuClose(BOOL allowed) {
  HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
  if (menu != nullptr) ::EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | (allowed ? MF_ENABLED : MF_GRAYED));
}

int CTkDockingPaneMiniWnd::RefreshLayout(BOOL) {
  if (m_pTopContainer == nullptr || m_hWnd == nullptr) return 0;
  std::vector<CTkDockingPaneNode*> containers;
  m_pTopContainer->FindPanes(kNodeTabbedContainer, containers);
  for (CTkDockingPaneNode* node : containers)
    static_cast<CTkDockingPaneTabbedContainer*>(node)->SetCaptionVisible(containers.size() > 1);
  CString title;
  if (containers.size() == 1) {
    title = static_cast<CTkDockingPaneTabbedContainer*>(containers.front())->GetTitle();
  } else {
    CTkDockingPaneSite* site = GetDockingPaneManager();
    if (site != nullptr) title = site->m_floatingTitle;
  }
  CString old;
  GetWindowText(old);
  if (old != title) SetWindowText(title);
  if (!containers.empty()) {
    if (!IsWindowVisible()) ShowWindow(SW_SHOWNA);
    BOOL allowed = FALSE;
    std::vector<CTkDockingPaneNode*> panes;
    m_pTopContainer->FindPanes(kNodePane, panes);
    for (CTkDockingPaneNode* pane : panes)
      if (!(static_cast<CTkDockingPaneObject*>(pane)->GetOptions() & kPaneNoClose)) allowed = TRUE;
    if (!allowed || !m_bCloseAllowed) UpdateSystemMenuClose(allowed);
    m_bCloseAllowed = allowed;
    CRect window;
    GetWindowRect(&window);
    MoveWindow(&window, TRUE);
    DelayRecalcLayout();
  }
  SendMessage(WM_NCPAINT);
  return 0;
}

void CTkDockingPaneMiniWnd::RecalcLayout(BOOL) {
  m_nIdleFlags &= ~(AFX_IDLE_LAYOUT | AFX_IDLE_NOTIFY);
  if (m_pTopContainer == nullptr || m_hWnd == nullptr) return;
  if (m_pTopContainer->IsEmpty()) {
    if (m_bCollapsed) ToggleCollapse();
    ShowWindow(SW_HIDE);
    return;
  }
  CRect client;
  GetClientRect(&client);
  AFX_SIZEPARENTPARAMS params = {};
  params.hDWP = ::BeginDeferWindowPos(8);
  params.rect = client;
  m_pTopContainer->OnSizeParent(this, client, &params);
  if (params.hDWP != nullptr) ::EndDeferWindowPos(params.hDWP);
  // The drag rectangle of the frame's content is the whole window.
  CRect window;
  GetWindowRect(&window);
  ScreenToClient(&window);
  m_pTopContainer->m_paneRect = window;
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site != nullptr) site->RecordPaneHolders();
}

void CTkDockingPaneMiniWnd::RemovePane(CTkDockingPaneNode* node) {
  if (node != nullptr) node->m_pParent = nullptr;
  m_pTopContainer = nullptr;
  if (m_hWnd == nullptr) return;
  ShowWindow(SW_HIDE);
  if (m_bCollapsed) ToggleCollapse();
}

BOOL CTkDockingPaneMiniWnd::IsEmpty() { return m_pTopContainer == nullptr || m_pTopContainer->IsEmpty(); }

BOOL CTkDockingPaneMiniWnd::ContainsPane(CTkDockingPaneNode* node) {
  return node == this || (m_pTopContainer != nullptr && m_pTopContainer->ContainsPane(node));
}

void CTkDockingPaneMiniWnd::FindPanes(int type, std::vector<CTkDockingPaneNode*>& list) {
  if (type == kNodeMiniFrame) list.push_back(this);
  else if (m_pTopContainer != nullptr) m_pTopContainer->FindPanes(type, list);
}

CTkDockingPaneObject* CTkDockingPaneMiniWnd::GetSinglePane() {
  if (m_pTopContainer == nullptr) return nullptr;
  std::vector<CTkDockingPaneNode*> containers;
  m_pTopContainer->FindPanes(kNodeTabbedContainer, containers);
  if (containers.size() != 1) return nullptr;
  return static_cast<CTkDockingPaneTabbedContainer*>(containers.front())->GetSelected();
}

void CTkDockingPaneMiniWnd::Invalidate() {
  if (m_hWnd != nullptr) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

// Copies and persistence.

void CTkDockingPaneMiniWnd::CopyFrom(CTkDockingPaneMiniWnd* other, CMapPtrToPtr* pMap) {
  CTkDockingPaneSplitGroup* top = nullptr;
  if (other->m_pTopContainer != nullptr)
    top = static_cast<CTkDockingPaneSplitGroup*>(other->m_pTopContainer->Clone(m_pArrangement, pMap, 0));
  m_paneRect = other->m_paneRect;
  if (other->m_hWnd != nullptr && !other->m_bCollapsed) other->GetWindowRect(&m_paneRect);
  else if (other->m_hWnd != nullptr) {
    CRect window;
    other->GetWindowRect(&window);
    m_paneRect.OffsetRect(window.left - m_paneRect.left, window.top - m_paneRect.top);
  }
  m_bCollapsed = other->m_bCollapsed;
  m_expandedHeight = other->m_expandedHeight;
  if (m_bCollapsed) m_paneRect.bottom = m_paneRect.top + CollapsedHeight();
  m_pTopContainer = top;
  if (top != nullptr) top->SetParentContainer(this);
  if (m_pArrangement == nullptr || m_pArrangement->m_bSnapshot) return;
  CreateAt(m_paneRect);
  if (top != nullptr) top->OnParentContainerChanged(this);
  OnChildContainerChanged(top);
}

CTkDockingPaneNode* CTkDockingPaneMiniWnd::Clone(CTkDockingPaneArrangement* pArrangement, CMapPtrToPtr* pMap, DWORD) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site == nullptr) return nullptr;
  auto* copy = dynamic_cast<CTkDockingPaneMiniWnd*>(site->CreatePaneNode(kNodeMiniFrame, pArrangement));
  if (copy == nullptr) return nullptr;
  copy->CopyFrom(this, pMap);
  if (pMap != nullptr) pMap->SetAt(static_cast<CTkDockingPaneNode*>(this), static_cast<CTkDockingPaneNode*>(copy));
  return copy;
}

BOOL CTkDockingPaneMiniWnd::DoPropExchange(CTkPropExchange* pPX) {
  static const BOOL no = FALSE;
  static const int zero = 0;
  CTkDockingPaneNode::DoPropExchange(pPX);
  if (!pPX->IsLoading() && m_hWnd != nullptr && !m_bCollapsed) GetWindowRect(&m_paneRect);
  BOOL ok = pPX->ExchangeValue(L"WindowRectTopPos", kTkInt, &m_paneRect.top, nullptr);
  ok = pPX->ExchangeValue(L"WindowRectBottomPos", kTkInt, &m_paneRect.bottom, nullptr) && ok;
  ok = pPX->ExchangeValue(L"WindowRectLeftPos", kTkInt, &m_paneRect.left, nullptr) && ok;
  ok = pPX->ExchangeValue(L"WindowRectRightPos", kTkInt, &m_paneRect.right, nullptr) && ok;
  pPX->ExchangeValue(L"Collapsed", kTkBool, &m_bCollapsed, &no);
  pPX->ExchangeValue(L"ExpandedHeight", kTkInt, &m_expandedHeight, &zero);
  int top = m_pTopContainer != nullptr ? m_pTopContainer->m_persistId : 0;
  if (!pPX->IsLoading()) {
    pPX->ExchangeValue(L"TopContaner", kTkInt, &top, nullptr);
    return TRUE;
  }
  if (!ok || !pPX->ExchangeValue(L"TopContaner", kTkInt, &top, nullptr)) return FALSE;
  CTkDockingPaneNode* node = m_pArrangement->NodeFromPersistId(top);
  // The frame's group is a split group no other node holds.
  if (node == nullptr || node->GetType() != kNodeSplitGroup || node->m_pParent != nullptr) return FALSE;
  for (CTkDockingPaneNode* other : m_pArrangement->m_nodes) {
    auto* frame = dynamic_cast<CTkDockingPaneMiniWnd*>(other);
    if (frame != nullptr && frame != this && frame->m_pTopContainer == node) return FALSE;
  }
  SetTopContainer(static_cast<CTkDockingPaneSplitGroup*>(node));
  return TRUE;
}

// Caption buttons.

BOOL CTkDockingPaneMiniWnd::IsCaptionButtonVisible(CTkDockingPaneCaptionButton* button) {
  switch (button->m_id) {
    case kButtonClose:
      return m_bCloseAllowed;
    case kButtonAutoHide:
      button->m_state = m_bCollapsed ? (button->m_state | 2) : (button->m_state & ~2);
      return TRUE;
    case kButtonMenu: {
      CTkDockingPaneObject* pane = GetSinglePane();
      return pane != nullptr && (pane->GetOptions() & kPaneMenuButton);
    }
    default:
      return TRUE;
  }
}

void CTkDockingPaneMiniWnd::OnCaptionButtonClick(CTkDockingPaneCaptionButton* button) {
  if (button->m_id == kButtonClose) OnClose();
  else if (button->m_id == kButtonAutoHide) ToggleCollapse();
}

BOOL CTkDockingPaneMiniWnd::OnCaptionButtonDown(CTkDockingPaneCaptionButton* button) {
  if (button->m_id != kButtonMenu) return FALSE;
  CTkDockingPaneObject* pane = GetSinglePane();
  if (pane == nullptr) return TRUE;
  CTkDockingPaneSite* site = GetDockingPaneManager();
  m_bActive = TRUE;
  button->m_bPressed = TRUE;
  SendMessage(WM_NCPAINT);
  CRect rect = button->m_rect;
  CRect window;
  GetWindowRect(&window);
  rect.OffsetRect(window.left, window.top);
  DockingPaneMenuRequest request = {pane, rect.left, rect.bottom, rect};
  if (site != nullptr && site->GetSite() != nullptr)
    site->GetSite()->SendMessage(DockingPaneNotify, kNotifyMenuRequest, reinterpret_cast<LPARAM>(&request));
  button->m_bPressed = FALSE;
  if (m_hWnd != nullptr) SendMessage(WM_NCPAINT);
  return TRUE;
}

// Messages.

BOOL CTkDockingPaneMiniWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site != nullptr && site->m_pTipContext != nullptr)
    site->m_pTipContext->RelayMouseMessage(this, message, wParam, lParam);
  // Nothing a handler throws may leave the window procedure.
  try {
    return CMiniFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
  } catch (...) {
    if (pResult != nullptr) *pResult = 0;
    return TRUE;
  }
}

void CTkDockingPaneMiniWnd::OnClose() {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site == nullptr || m_pTopContainer == nullptr) return;
  std::vector<CTkDockingPaneNode*> panes;
  m_pTopContainer->FindPanes(kNodePane, panes);
  for (CTkDockingPaneNode* node : panes) {
    auto* pane = static_cast<CTkDockingPaneObject*>(node);
    if (pane->GetOptions() & kPaneNoClose) continue;
    if (site->NotifyAction(kActionClosing, pane, nullptr, 0)) continue;
    pane->Close();
    site->NotifyAction(kActionClosed, pane, nullptr, 0);
  }
  // The window stays: it hides itself once its last container is gone.
}

void CTkDockingPaneMiniWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (IsThemed()) {
    CRect window;
    GetWindowRect(&window);
    CPoint local(point.x - window.left, point.y - window.top);
    for (CTkDockingPaneCaptionButton* button : m_captionButtons) {
      if (button->m_rect.IsRectEmpty() || !button->m_rect.PtInRect(local) || !button->IsVisible()) continue;
      if (OnCaptionButtonDown(button)) return;
      HWND self = m_hWnd;
      if (button->Click(this, local, FALSE) && ::IsWindow(self)) OnCaptionButtonClick(button);
      return;
    }
  }
  if (nHitTest == HTCAPTION) {
    // The main frame is activated; the frame comes to the top of it.
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner != nullptr) ::SetActiveWindow(owner);
    BringWindowToTop();
    CTkDockingPaneSite* site = GetDockingPaneManager();
    if (site != nullptr && site->m_pDragTracker != nullptr && m_pTopContainer != nullptr)
      site->m_pDragTracker->BeginDrag(m_pTopContainer, point.x, point.y);
    return;
  }
  CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CTkDockingPaneMiniWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  if (nHitTest != HTCAPTION) {
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
    return;
  }
  if (m_bCollapsed) {
    ToggleCollapse();
    return;
  }
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site != nullptr && m_pTopContainer != nullptr) site->ToggleDocking(m_pTopContainer);
}

void CTkDockingPaneMiniWnd::OnNcRButtonDown(UINT nHitTest, CPoint point) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (nHitTest == HTCAPTION && site != nullptr && site->GetSite() != nullptr && m_pTopContainer != nullptr) {
    CTkDockingPaneObject* pane = GetSinglePane();
    if (pane == nullptr) {
      std::vector<CTkDockingPaneNode*> containers;
      m_pTopContainer->FindPanes(kNodeTabbedContainer, containers);
      for (CTkDockingPaneNode* node : containers) {
        auto* container = static_cast<CTkDockingPaneTabbedContainer*>(node);
        if (container->IsContainerActive()) {
          pane = container->GetSelected();
          break;
        }
      }
    }
    if (pane != nullptr) {
      pane->SetFocus();
      DockingPaneMenuRequest request = {pane, point.x, point.y, {0, 0, 0, 0}};
      if (site->GetSite()->SendMessage(DockingPaneNotify, kNotifyMenuRequest, reinterpret_cast<LPARAM>(&request)) != 0)
        return;
    }
  }
  CMiniFrameWnd::OnNcRButtonDown(nHitTest, point);
}

void CTkDockingPaneMiniWnd::OnDestroy() {
  if (!m_bCollapsed || m_bRolledDown) GetWindowRect(&m_paneRect);
  CMiniFrameWnd::OnDestroy();
}

LRESULT CTkDockingPaneMiniWnd::OnNcHitTest(CPoint point) {
  LRESULT hit = CMiniFrameWnd::OnNcHitTest(point);
  if (!IsThemed() || hit != HTNOWHERE) return hit;
  CRect window;
  GetWindowRect(&window);
  CTkDockingPanePainter* painter = GetPaintManager();
  int caption = painter != nullptr ? painter->m_captionHeight : 0;
  return point.y - window.top < caption + 4 ? HTCAPTION : hit;
}

void CTkDockingPaneMiniWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
  if (IsThemed()) {
    CTkDockingPanePainter* painter = GetPaintManager();
    int caption = painter != nullptr ? painter->m_captionHeight : 0;
    RECT& rect = lpncsp->rgrc[0];
    rect.left -= 1;
    rect.right += 1;
    rect.bottom += 1;
    rect.top = rect.top - 1 + caption + 2;
  }
  CMiniFrameWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
}

void CTkDockingPaneMiniWnd::OnNcPaint() {
  CTkDockingPanePainter* painter = GetPaintManager();
  if (!IsThemed() || painter == nullptr) {
    CMiniFrameWnd::OnNcPaint();
    return;
  }
  CRect window;
  GetWindowRect(&window);
  window.OffsetRect(-window.left, -window.top);
  HDC hdc = ::GetWindowDC(m_hWnd);
  if (hdc == nullptr) return;
  CDC* dc = CDC::FromHandle(hdc);
  painter->DrawFloatingFrame(dc, this, window);
  ::ReleaseDC(m_hWnd, hdc);
}

void CTkDockingPaneMiniWnd::OnNcMouseMove(UINT nHitTest, CPoint point) {
  CMiniFrameWnd::OnNcMouseMove(nHitTest, point);
  if (!IsThemed()) return;
  CRect window;
  GetWindowRect(&window);
  BOOL changed = FALSE;
  for (CTkDockingPaneCaptionButton* button : m_captionButtons) {
    BOOL wasHot = button->m_bHot;
    button->OnMouseMove(CPoint(point.x - window.left, point.y - window.top));
    if (button->m_bHot != wasHot) changed = TRUE;
  }
  if (changed) {
    SendMessage(WM_NCPAINT);
    SetTimer(kTimerHot, 100, nullptr);
  }
  if (m_bCollapsed && m_step <= 0) {
    m_bRolledDown = TRUE;
    m_step = m_steps;
    SetWindowPos(nullptr, 0, 0, window.Width(), m_expandedHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_countdown = 8;
    SetTimer(kTimerWatch, 100, nullptr);
  }
}

void CTkDockingPaneMiniWnd::ToggleCollapse() {
  if (m_hWnd == nullptr) return;
  CRect window;
  GetWindowRect(&window);
  if (!m_bCollapsed) {
    m_steps = m_step = 8;
    m_paneRect = window;
    m_expandedHeight = window.Height();
    m_bCollapsed = TRUE;
    m_bRolledDown = TRUE;
    m_bRolling = FALSE;
    m_countdown = 6;
    SetTimer(kTimerWatch, 100, nullptr);
  } else {
    if (window.Height() != m_expandedHeight && m_expandedHeight > 0)
      SetWindowPos(nullptr, 0, 0, window.Width(), m_expandedHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_bCollapsed = FALSE;
    m_bRolledDown = FALSE;
    m_bRolling = FALSE;
    KillTimer(kTimerWatch);
    KillTimer(kTimerRoll);
  }
  SendMessage(WM_NCPAINT);
}

void CTkDockingPaneMiniWnd::OnTimer(UINT_PTR nIDEvent) {
  CRect window;
  GetWindowRect(&window);
  if (nIDEvent == kTimerHot) {
    CPoint cursor;
    ::GetCursorPos(&cursor);
    if (::WindowFromPoint(cursor) != m_hWnd) {
      KillTimer(kTimerHot);
      PostMessage(WM_NCMOUSEMOVE, 0, 0);
    }
    return;
  }
  if (nIDEvent == kTimerWatch) {
    if (HasFocusInside()) return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    if (window.PtInRect(cursor) || ::GetCapture() != nullptr || m_bRolling) return;
    if (m_countdown-- > 1) return;
    if (window.Height() >= m_expandedHeight || m_step >= m_steps) m_expandedHeight = window.Height();
    m_bRolling = TRUE;
    SetTimer(kTimerRoll, 16, nullptr);
    KillTimer(kTimerWatch);
    return;
  }
  if (nIDEvent == kTimerRoll) {
    if (!m_bRolling) return;
    if (--m_step < 0) {
      m_step = 0;
      m_bRolling = FALSE;
      m_bRolledDown = FALSE;
      KillTimer(kTimerRoll);
      return;
    }
    int height = std::max(m_step * m_expandedHeight / std::max(m_steps, 1), CollapsedHeight());
    SetWindowPos(&CWnd::wndTop, 0, 0, window.Width(), height, SWP_NOMOVE | SWP_NOACTIVATE);
    return;
  }
  CMiniFrameWnd::OnTimer(nIDEvent);
}

LRESULT CTkDockingPaneMiniWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) {
  if (IsThemed()) {
    BOOL active = HasFocusInside();
    if (active != m_bActive) {
      m_bActive = active;
      SendMessage(WM_NCPAINT);
    }
  }
  return CMiniFrameWnd::OnIdleUpdateCmdUI(wParam, lParam);
}

void CTkDockingPaneMiniWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  CMiniFrameWnd::OnGetMinMaxInfo(lpMMI);
  // Rolled up, the frame may shrink to its caption.
  if (m_bCollapsed || m_bRolling) lpMMI->ptMinTrackSize.y = std::min<LONG>(lpMMI->ptMinTrackSize.y, CollapsedHeight());
  if (m_pTopContainer == nullptr || m_bCollapsed || m_bRolling) return;
  MINMAXINFO inner;
  m_pTopContainer->GetMinMaxInfo(&inner);
  CRect window;
  CRect client;
  GetWindowRect(&window);
  GetClientRect(&client);
  CSize frame(window.Width() - client.Width(), window.Height() - client.Height());
  lpMMI->ptMinTrackSize.x = std::max(lpMMI->ptMinTrackSize.x, inner.ptMinTrackSize.x + frame.cx);
  lpMMI->ptMinTrackSize.y = std::max(lpMMI->ptMinTrackSize.y, inner.ptMinTrackSize.y + frame.cy);
  lpMMI->ptMaxTrackSize.x = std::min(lpMMI->ptMaxTrackSize.x, inner.ptMaxTrackSize.x + frame.cx);
  lpMMI->ptMaxTrackSize.y = std::min(lpMMI->ptMaxTrackSize.y, inner.ptMaxTrackSize.y + frame.cy);
}

void CTkDockingPaneMiniWnd::OnSetFocus(CWnd* pOldWnd) {
  CMiniFrameWnd::OnSetFocus(pOldWnd);
  if (m_pTopContainer == nullptr) return;
  std::vector<CTkDockingPaneNode*> containers;
  m_pTopContainer->FindPanes(kNodeTabbedContainer, containers);
  if (containers.size() != 1) return;
  CTkDockingPaneObject* pane = static_cast<CTkDockingPaneTabbedContainer*>(containers.front())->GetSelected();
  if (pane != nullptr) pane->SetFocus();
}

void CTkDockingPaneMiniWnd::RedrawFrame() {
  if (m_hWnd == nullptr) return;
  BOOL themed = IsThemed();
  if (themed) ModifyStyle(WS_BORDER, 0, 0);
  else ModifyStyle(0, WS_BORDER, 0);
  if (!themed && m_bCollapsed) ToggleCollapse();
  SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (themed && m_bCollapsed && !m_bRolledDown) {
    CRect window;
    GetWindowRect(&window);
    int height = std::max(m_step * m_expandedHeight / std::max(m_steps, 1), CollapsedHeight());
    SetWindowPos(nullptr, 0, 0, window.Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

INT_PTR CTkDockingPaneMiniWnd::OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const {
  if (!IsThemed()) return -1;
  // Client coordinates to window coordinates, where the buttons live.
  CRect window;
  ::GetWindowRect(m_hWnd, &window);
  CPoint screen = point;
  ::ClientToScreen(m_hWnd, &screen);
  CPoint local(screen.x - window.left, screen.y - window.top);
  for (CTkDockingPaneCaptionButton* button : m_captionButtons) {
    if (button->m_rect.IsRectEmpty() || !button->m_rect.PtInRect(local)) continue;
    CString text;
    GetToolkitResourceLoader()->LoadString(text, button->m_id);
    if (text.IsEmpty()) return -1;
    CRect rc = button->m_rect;
    rc.OffsetRect(window.left, window.top);
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rc.left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rc.right));
    FillToolInfo(pTI, m_hWnd, rc.left, rc.top, rc.right, rc.bottom, button->m_id, text, L"", L"");
    return button->m_id;
  }
  return -1;
}
