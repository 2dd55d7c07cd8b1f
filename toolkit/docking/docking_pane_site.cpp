#include "docking_pane_site.h"

#include "color_scheme.h"
#include "docking_arrangement.h"
#include "docking_drag_tracker.h"
#include "docking_hidden_strip.h"
#include "docking_mini_wnd.h"
#include "docking_pane.h"
#include "docking_pane_painter.h"
#include "docking_split_group.h"
#include "docking_tabbed_container.h"
#include "image_manager.h"
#include "tip_context.h"

BEGIN_MESSAGE_MAP(CTkDockingPaneSite, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_WM_SYSCOLORCHANGE()
ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CTkDockingPaneSite::CTkDockingPaneSite() {
  m_pImageManager = new CTkImageManager;
  m_pDragTracker = new CTkDockingPaneDragTracker(this);
  m_pTipContext = new CTkTipContext;
  SetPaneTheme(0);
  // A thread already in another apartment answers RPC_E_CHANGED_MODE: that
  // initialisation is not ours to undo.
  HRESULT hr = ::OleInitialize(nullptr);
  m_bOleInitialized = SUCCEEDED(hr);
}

CTkDockingPaneSite::~CTkDockingPaneSite() {
  if (m_pLayout != nullptr) m_pLayout->InternalRelease();
  m_pLayout = nullptr;
  if (m_pPaintManager != nullptr) m_pPaintManager->InternalRelease();
  m_pPaintManager = nullptr;
  if (m_pTipContext != nullptr) m_pTipContext->InternalRelease();
  m_pTipContext = nullptr;
  if (m_pImageManager != nullptr) m_pImageManager->InternalRelease();
  m_pImageManager = nullptr;
  delete m_pDragTracker;
  m_pDragTracker = nullptr;
  if (m_pActivePane != nullptr) m_pActivePane->InternalRelease();
  m_pActivePane = nullptr;
  if (m_hWnd != nullptr) DestroyWindow();
  if (m_bOleInitialized) ::OleUninitialize();
}

CTkDockingPaneArrangement* CTkDockingPaneSite::CreateLayout() { return new CTkDockingPaneArrangement(this); }

CTkDockingPaneNode* CTkDockingPaneSite::CreatePaneNode(int type, CTkDockingPaneArrangement* layout) {
  switch (type) {
    case kNodePane:
      return new CTkDockingPaneObject(layout);
    case kNodeTabbedContainer:
      return new CTkDockingPaneTabbedContainer(layout);
    case kNodeSplitGroup:
      return new CTkDockingPaneSplitGroup(layout);
    case kNodeMiniFrame:
      return new CTkDockingPaneMiniWnd(layout);
    case kNodeClient:
      return new CTkDockingPaneNode(kNodeClient, layout);
    case kNodeHiddenStrip:
      return new CTkDockingPaneHiddenStrip(layout);
    default:
      return nullptr;
  }
}

BOOL CTkDockingPaneSite::InstallInFrame(CFrameWnd* pFrame) {
  if (m_pFrame != nullptr) return TRUE;
  if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr) return FALSE;
  m_pFrame = pFrame;
  if (!Create(L"STATIC", L"", WS_CHILD, CRect(0, 0, 0, 0), pFrame, 0)) return FALSE;
  // The frame lays its bars out first, top of the z-order first: the
  // manager comes last and hands the view what the bars left.
  ::SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  m_pLayout = CreateLayout();
  m_pLayout->m_bSnapshot = FALSE;
  return TRUE;
}

void CTkDockingPaneSite::SetPaneTheme(int theme) {
  if (m_pPaintManager != nullptr) m_pPaintManager->InternalRelease();
  m_pPaintManager = CreateDockingPanePainter(theme);
  m_paneTheme = theme;
  m_pPaintManager->m_theme = theme;
  m_pPaintManager->RefreshMetrics();
  if (theme == 9) m_stickerStyle = 1;
  RedrawPanes();
}

void CTkDockingPaneSite::RedrawPanes() {
  if (m_hWnd == nullptr || m_pLayout == nullptr) return;
  BOOL frameAsked = FALSE;
  for (const PaneHolderEntry& entry : m_pLayout->m_panes) {
    CTkDockingPaneNode* container = entry.pane->m_pParent;
    if (container == nullptr) continue;
    CFrameWnd* frame = dynamic_cast<CFrameWnd*>(container->GetDockingSite());
    if (frame != nullptr) frame->DelayRecalcLayout();
    frameAsked = TRUE;
  }
  for (CTkDockingPaneNode* node : m_pLayout->m_nodes)
    if (node->GetType() == kNodeMiniFrame) static_cast<CTkDockingPaneMiniWnd*>(node)->RedrawFrame();
  for (CTkDockingPaneNode* node : m_pLayout->m_nodes) node->Invalidate();
  for (CTkDockingPaneNode* node : m_pLayout->m_nodes) {
    CTkDockingPaneSplitGroup* group = dynamic_cast<CTkDockingPaneSplitGroup*>(node);
    if (group == nullptr) continue;
    for (CTkDockingPaneSplitBar* bar : group->m_splitBars)
      if (bar->GetSafeHwnd() != nullptr) bar->Invalidate(FALSE);
  }
  (void)frameAsked;
}

BOOL CTkDockingPaneSite::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  // Nothing a handler throws may leave the window procedure.
  try {
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
  } catch (...) {
    if (pResult != nullptr) *pResult = 0;
    return TRUE;
  }
}

LRESULT CTkDockingPaneSite::OnSizeParent(WPARAM, LPARAM lParam) {
  if (m_pLayout == nullptr || m_pLayout->m_pTopContainer == nullptr) return 0;
  AFX_SIZEPARENTPARAMS* params = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  m_pLayout->OnSizeParent(m_pFrame, CRect(params->rect), params);
  RecordPaneHolders();
  m_bLaidOut = TRUE;
  return 0;
}

void CTkDockingPaneSite::UpdatePaneFocus() {
  if (m_pLayout == nullptr) return;
  std::vector<PaneHolderEntry> entries = m_pLayout->m_panes;
  for (const PaneHolderEntry& entry : entries) entry.pane->OnFocusChanged();
}

LRESULT CTkDockingPaneSite::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  UpdatePaneFocus();
  return 0;
}

void CTkDockingPaneSite::OnSysColorChange() {
  RefreshColorScheme();
  if (m_pPaintManager != nullptr) m_pPaintManager->RefreshMetrics();
  RedrawPanes();
}

void CTkDockingPaneSite::OnSettingChange(UINT, LPCWSTR) {
  if (m_pPaintManager != nullptr) m_pPaintManager->RefreshMetrics();
  RedrawPanes();
}

void CTkDockingPaneSite::RecordPaneHolders() {
  if (m_pLayout == nullptr) return;
  for (PaneHolderEntry& entry : m_pLayout->m_panes) {
    CTkDockingPaneTabbedContainer* container = dynamic_cast<CTkDockingPaneTabbedContainer*>(entry.pane->m_pParent);
    if (container == nullptr || container->GetDockingSite() == nullptr) continue;
    CTkDockingPaneNode* parent = container->GetParentNode();
    if (parent != nullptr && parent->GetType() == kNodeHiddenStrip) continue;
    if (container->GetDockingSite() != m_pFrame) entry.floatingHolder = container;
    else entry.dockingHolder = container;
    entry.lastHolder = container;
  }
}

CTkDockingPaneObject* CTkDockingPaneSite::FindPane(int id) const {
  if (m_pLayout == nullptr) return nullptr;
  for (const PaneHolderEntry& entry : m_pLayout->m_panes)
    if (entry.pane->m_id == id) return entry.pane;
  return nullptr;
}

CTkDockingPaneNode* CTkDockingPaneSite::GetTopContainer() const {
  return m_pLayout != nullptr ? m_pLayout->m_pTopContainer : nullptr;
}

CTkDockingPaneNode* CTkDockingPaneSite::GetClientNode() const {
  return m_pLayout != nullptr ? m_pLayout->m_pClient : nullptr;
}

CTkDockingPaneObject* CTkDockingPaneSite::CreatePane(int id, LPCWSTR title, HWND hwndChild) {
  if (m_pLayout == nullptr) return nullptr;
  CTkDockingPaneObject* pane = static_cast<CTkDockingPaneObject*>(CreatePaneNode(kNodePane, m_pLayout));
  pane->m_id = id;
  pane->m_title = title;
  pane->m_hwndChild = hwndChild;
  m_pLayout->AddEntry(pane);
  return pane;
}

void CTkDockingPaneSite::ShowPane(CTkDockingPaneObject* pane, BOOL bSetFocus) {
  if (pane == nullptr || m_pLayout == nullptr) return;
  CTkDockingPaneTabbedContainer* container = dynamic_cast<CTkDockingPaneTabbedContainer*>(pane->m_pParent);
  if (container != nullptr) {
    container->SelectPane(pane, bSetFocus, TRUE);
    container->ShowContainer(bSetFocus);
  } else {
    PaneHolderEntry* entry = m_pLayout->FindEntry(pane);
    if (entry != nullptr && entry->lastHolder != nullptr) entry->lastHolder->AddPane(pane, bSetFocus);
  }
  if (m_bLaidOut) pane->ShowWindow(TRUE);
  if (bSetFocus) pane->SetFocus();
}

void CTkDockingPaneSite::ClosePane(CTkDockingPaneObject* pane) {
  if (pane == nullptr) return;
  if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr &&
      m_pFrame->SendMessage(DockingPaneNotify, kNotifyClosePane, reinterpret_cast<LPARAM>(pane)) == -1)
    return;
  if (pane->m_pParent != nullptr) pane->m_pParent->RemovePane(pane);
}

CTkDockingPaneNode* CTkDockingPaneSite::DetachForMove(CTkDockingPaneNode* node) {
  if (node->GetType() == kNodeSplitGroup) {
    std::vector<CTkDockingPaneNode*> containers;
    node->FindPanes(kNodeTabbedContainer, containers);
    if (containers.size() == 1) node = containers.front();
  }
  if (node->GetType() != kNodePane) return node->Clone(m_pLayout, nullptr, 0);
  if (node->m_pParent != nullptr) node->m_pParent->RemovePane(node);
  return node;
}

void CTkDockingPaneSite::FloatPane(CTkDockingPaneNode* node, CRect rect) {
  if (node == nullptr || m_pLayout == nullptr) return;
  if (node->GetType() != kNodePane) {
    node = node->Clone(m_pLayout, nullptr, 0);
  } else if (node->m_pParent != nullptr) {
    node->m_pParent->RemovePane(node);
  }
  auto* frame = dynamic_cast<CTkDockingPaneMiniWnd*>(CreatePaneNode(kNodeMiniFrame, m_pLayout));
  if (node == nullptr || frame == nullptr) return;
  frame->Float(node, rect);
}

void CTkDockingPaneSite::DockPane(CTkDockingPaneNode* node, int direction, CTkDockingPaneNode* neighbour) {
  if (node == nullptr || m_pLayout == nullptr || m_pLayout->m_pTopContainer == nullptr) return;
  if (neighbour != nullptr && node->ContainsPane(neighbour)) neighbour = nullptr;
  node = DetachForMove(node);
  if (node == nullptr) return;
  InsertNode(node, direction, neighbour);
}

void CTkDockingPaneSite::InsertNode(CTkDockingPaneNode* node, int direction, CTkDockingPaneNode* neighbour) {
  CTkDockingPaneSplitGroup* top = m_pLayout->m_pTopContainer;
  if (neighbour != nullptr && neighbour->GetType() == kNodePane && (neighbour->IsHidden() || neighbour->m_pParent == nullptr))
    neighbour = nullptr;
  if (neighbour == nullptr) neighbour = top;
  CWnd* site = neighbour->GetDockingSite() != nullptr ? neighbour->GetDockingSite() : m_pFrame;
  if (node->GetType() == kNodePane) {
    CTkDockingPaneTabbedContainer* container =
        static_cast<CTkDockingPaneTabbedContainer*>(CreatePaneNode(kNodeTabbedContainer, m_pLayout));
    container->InitFromPane(static_cast<CTkDockingPaneObject*>(node), site);
    node = container;
  }
  BOOL horizontal = direction == kDockLeft || direction == kDockRight;
  BOOL after = direction == kDockRight || direction == kDockBottom;
  if (neighbour == top) {
    if (top->m_bHorizontal == horizontal) {
      top->InsertPane(node, nullptr, after);
    } else {
      CTkDockingPaneSplitGroup* group = static_cast<CTkDockingPaneSplitGroup*>(CreatePaneNode(kNodeSplitGroup, m_pLayout));
      group->Init(top, horizontal, site);
      group->InsertPane(node, nullptr, after);
      m_pLayout->m_pTopContainer = group;
    }
  } else {
    if (neighbour->m_pParent != nullptr && neighbour->m_pParent->GetType() == kNodeTabbedContainer)
      neighbour = neighbour->m_pParent;
    CTkDockingPaneSplitGroup* group = dynamic_cast<CTkDockingPaneSplitGroup*>(neighbour->m_pParent);
    if (group == nullptr) {
      top->InsertPane(node, nullptr, after);
    } else if (group->m_bHorizontal == horizontal) {
      group->InsertPane(node, neighbour, after);
    } else {
      CTkDockingPaneSplitGroup* split = static_cast<CTkDockingPaneSplitGroup*>(CreatePaneNode(kNodeSplitGroup, m_pLayout));
      group->ReplacePane(neighbour, split);
      split->Init(neighbour, horizontal, site);
      split->InsertPane(node, neighbour, after);
    }
  }
  CFrameWnd* frame = dynamic_cast<CFrameWnd*>(site);
  if (frame != nullptr) frame->DelayRecalcLayout();
}

void CTkDockingPaneSite::AttachPane(CTkDockingPaneNode* node, CTkDockingPaneNode* target) {
  if (node == nullptr || target == nullptr) return;
  if (target->GetType() == kNodePane) target = target->m_pParent;
  CTkDockingPaneTabbedContainer* container = dynamic_cast<CTkDockingPaneTabbedContainer*>(target);
  if (container == nullptr || node == container) return;
  std::vector<CTkDockingPaneNode*> panes;
  if (node->GetType() == kNodePane) panes.push_back(node);
  else node->FindPanes(kNodePane, panes);
  for (CTkDockingPaneNode* each : panes) {
    CTkDockingPaneObject* pane = static_cast<CTkDockingPaneObject*>(each);
    if (pane->m_pParent == container) continue;
    if (pane->m_pParent != nullptr) pane->m_pParent->RemovePane(pane);
    container->AddPane(pane, TRUE);
  }
  RecordPaneHolders();
}

CRect CTkDockingPaneSite::CalcDockingRect(CTkDockingPaneNode* node, int direction, CTkDockingPaneNode* neighbour) {
  if (m_pLayout == nullptr || m_pLayout->m_pTopContainer == nullptr) return CRect(0, 0, 0, 0);
  if (neighbour == nullptr) neighbour = m_pLayout->m_pTopContainer;
  if (neighbour != m_pLayout->m_pTopContainer) {
    if (neighbour->m_pParent != nullptr && neighbour->m_pParent->GetType() == kNodeTabbedContainer)
      neighbour = neighbour->m_pParent;
    CTkDockingPaneSplitGroup* group = dynamic_cast<CTkDockingPaneSplitGroup*>(neighbour->m_pParent);
    BOOL horizontal = direction == kDockLeft || direction == kDockRight;
    if (group != nullptr && group->m_bHorizontal == horizontal) return group->GetDockingRect(node, direction, neighbour);
  } else if (m_pLayout->m_pTopContainer->m_bHorizontal == (direction == kDockLeft || direction == kDockRight)) {
    CTkDockingPaneSplitGroup* top = m_pLayout->m_pTopContainer;
    return top->GetDockingRect(node, direction, nullptr);
  }
  return m_pLayout->m_pTopContainer->GetSplitDockingRect(neighbour, node, direction);
}

int CTkDockingPaneSite::GetPaneDirection(CTkDockingPaneNode* node) const {
  return m_pLayout != nullptr ? m_pLayout->GetPaneDirection(node) : kDockLeft;
}

CTkDockingPaneTabbedContainer* CTkDockingPaneSite::GetPaneHolder(CTkDockingPaneObject* pane, BOOL bFloating) const {
  if (m_pLayout == nullptr) return nullptr;
  PaneHolderEntry* entry = m_pLayout->FindEntry(pane);
  if (entry == nullptr) return nullptr;
  return bFloating ? entry->floatingHolder : entry->dockingHolder;
}

void CTkDockingPaneSite::HidePane(CTkDockingPaneNode* node) {
  if (node == nullptr || m_pLayout == nullptr) return;
  if (node->GetType() == kNodePane && m_bHideWholeContainers && node->m_pParent != nullptr) node = node->m_pParent;
  if (node->m_pParent == nullptr) return;
  if (node->IsHidden()) {
    CTkDockingPaneNode* strip = node->GetType() == kNodePane ? node->m_pParent->m_pParent : node->m_pParent;
    if (strip != nullptr && strip->GetType() == kNodeHiddenStrip)
      static_cast<CTkDockingPaneHiddenStrip*>(strip)->CloseAutoHideWindow(FALSE);
    return;
  }
  m_pLayout->AutoHideNode(node);
  if (m_pFrame != nullptr) m_pFrame->DelayRecalcLayout();
}

BOOL CTkDockingPaneSite::MovePaneToHolder(CTkDockingPaneObject* pane, CTkDockingPaneTabbedContainer* holder) {
  // A slid-out pane lives in its auto-hide window, which floats nothing.
  BOOL floating = dynamic_cast<CTkDockingPaneMiniWnd*>(pane->GetPaneDockingSite()) != nullptr;
  BOOL hidden = pane->IsHidden();
  BOOL toFloat = !floating && !hidden;
  if (toFloat && (pane->GetOptions() & kPaneNoFloating)) return FALSE;
  if (NotifyAction(toFloat ? kActionFloating : kActionDocking, pane, holder, 0)) return FALSE;
  if (holder != nullptr) {
    m_bAttaching = TRUE;
    AttachPane(pane, holder);
    m_bAttaching = FALSE;
  } else {
    CTkDockingPaneNode* container = pane->m_pParent;
    FloatPane(pane, container != nullptr ? container->GetScreenRect() : CRect(0, 0, 200, 200));
  }
  NotifyAction(toFloat ? kActionFloated : kActionDocked, pane, nullptr, 0);
  return TRUE;
}

BOOL CTkDockingPaneSite::ToggleDocking(CTkDockingPaneNode* node) {
  if (node == nullptr || m_pLayout == nullptr) return FALSE;
  BOOL floating = dynamic_cast<CTkDockingPaneMiniWnd*>(node->GetDockingSite()) != nullptr;
  BOOL toFloat = !floating && !node->IsHidden();
  if (node->GetType() == kNodePane) {
    CTkDockingPaneObject* pane = static_cast<CTkDockingPaneObject*>(node);
    return MovePaneToHolder(pane, GetPaneHolder(pane, toFloat));
  }
  std::vector<CTkDockingPaneNode*> panes;
  node->FindPanes(kNodePane, panes);
  CTkDockingPaneTabbedContainer* container = dynamic_cast<CTkDockingPaneTabbedContainer*>(node);
  int selectedId = container != nullptr && container->GetSelected() != nullptr ? container->GetSelected()->m_id : 0;
  int focusId = 0;
  for (CTkDockingPaneNode* each : panes)
    if (static_cast<CTkDockingPaneObject*>(each)->HasFocus()) focusId = static_cast<CTkDockingPaneObject*>(each)->m_id;
  CTkDockingPaneTabbedContainer* previous = nullptr;
  BOOL moved = FALSE;
  for (CTkDockingPaneNode* each : panes) {
    CTkDockingPaneObject* pane = static_cast<CTkDockingPaneObject*>(each);
    CTkDockingPaneTabbedContainer* holder = GetPaneHolder(pane, toFloat);
    if (holder == nullptr) holder = previous;
    if (MovePaneToHolder(pane, holder)) {
      moved = TRUE;
      previous = holder;
    } else {
      if (selectedId == pane->m_id) selectedId = 0;
      if (focusId == pane->m_id) focusId = 0;
    }
  }
  int id = focusId > 0 ? focusId : selectedId;
  if (id > 0 && moved) ShowPane(FindPane(id), TRUE);
  return moved;
}

BOOL CTkDockingPaneSite::NotifyAction(int action, CTkDockingPaneObject* pane, CTkDockingPaneNode* container, int extra) {
  if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr) return FALSE;
  DockingPaneAction record = {action, FALSE, pane, container, extra};
  m_pFrame->SendMessage(DockingPaneNotify, kNotifyAction, reinterpret_cast<LPARAM>(&record));
  return record.cancel;
}

void CTkDockingPaneSite::SetActivePane(BOOL bActive, CTkDockingPaneObject* pane) {
  if (bActive && pane != m_pActivePane) {
    CTkDockingPaneObject* old = m_pActivePane;
    m_pActivePane = pane;
    if (pane != nullptr) pane->InternalAddRef();
    if (old != nullptr) {
      NotifyAction(kActionDeactivated, old, nullptr, 0);
      old->InternalRelease();
    }
    if (pane != nullptr) NotifyAction(kActionActivated, pane, nullptr, 0);
  } else if (!bActive && pane != nullptr && pane == m_pActivePane) {
    m_pActivePane = nullptr;
    NotifyAction(kActionDeactivated, pane, nullptr, 0);
    pane->InternalRelease();
  }
}

CTkImageIcon* CTkDockingPaneSite::GetPaneImage(int id, int width) const {
  return m_pImageManager != nullptr ? m_pImageManager->GetImage(static_cast<UINT>(id), width) : nullptr;
}

BOOL CTkDockingPaneSite::IsLayoutRTL() const {
  return m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr && (m_pFrame->GetExStyle() & WS_EX_LAYOUTRTL);
}

int CTkDockingPaneSite::MirrorDirection(int direction) const {
  if (!IsLayoutRTL()) return direction;
  if (direction == kDockLeft) return kDockRight;
  if (direction == kDockRight) return kDockLeft;
  return direction;
}
