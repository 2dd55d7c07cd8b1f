#include "docking_tabbed_container.h"

#include <algorithm>

#include "docking_arrangement.h"
#include "docking_auto_hide_wnd.h"
#include "docking_drag_tracker.h"
#include "docking_hidden_strip.h"
#include "docking_mini_wnd.h"
#include "docking_pane.h"
#include "docking_pane_painter.h"
#include "docking_pane_site.h"
#include "docking_split_group.h"
#include "draw_helpers.h"
#include "icon_image.h"
#include "ole_drop_target.h"
#include "prop_exchange.h"
#include "resource_loader.h"
#include "tab_drag_over_target.h"
#include "tab_painter.h"
#include "tip_context.h"

IMPLEMENT_DYNAMIC(CTkDockingPaneTabbedContainer, CWnd)

BEGIN_MESSAGE_MAP(CTkDockingPaneTabbedContainer, CWnd)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

namespace {

// Holds the layout guard for a scope.
class LayoutGuard {
 public:
  explicit LayoutGuard(int& guard) : m_guard(guard) { ++m_guard; }
  ~LayoutGuard() { --m_guard; }
  LayoutGuard(const LayoutGuard&) = delete;
  LayoutGuard& operator=(const LayoutGuard&) = delete;

 private:
  int& m_guard;
};

}  // namespace

CTkDockingPaneTabbedContainer::CTkDockingPaneTabbedContainer(CTkDockingPaneArrangement* arrangement)
    : CTkDockingPaneNode(kNodeTabbedContainer, arrangement) {
  for (int id : {kButtonClose, kButtonMaximize, kButtonRestore, kButtonAutoHide, kButtonMenu})
    m_captionButtons.push_back(new CTkDockingPaneCaptionButton(id, this));
  m_pDropTarget = new CTkTabDragOverTarget<CTkDockingPaneTabbedContainer>(this);
}

CTkDockingPaneTabbedContainer::~CTkDockingPaneTabbedContainer() {
  // The tab items refer to panes the container does not own.
  m_layoutGuard++;
  DeleteAllTabs();
  if (m_hWnd != nullptr) DestroyWindow();
  delete m_pDropTarget;
}

void CTkDockingPaneTabbedContainer::OnDestroy() {
  m_pDropTarget->Revoke();
  CWnd::OnDestroy();
}

void CTkDockingPaneTabbedContainer::OnDragOverTab(CPoint point) {
  CTkTabPainter* painter = GetPainter();
  if (painter == nullptr || !painter->m_bSelectOnDragOver || !IsTabsVisible()) return;
  CTkTabManagerItem* tab = CTkTabSet::HitTest(point.x, point.y);
  CTkDockingPaneObject* pane = tab != nullptr ? static_cast<CTkDockingPaneObject*>(tab->m_pAttached) : nullptr;
  if (pane != nullptr && pane != m_pSelectedPane) SelectPane(pane, FALSE, FALSE);
}

CTkTabPainter* CTkDockingPaneTabbedContainer::GetPainter() const {
  CTkDockingPanePainter* painter = GetPaintManager();
  return painter != nullptr ? painter->m_pContainerTabPainter : nullptr;
}

void CTkDockingPaneTabbedContainer::Invalidate() {
  if (m_hWnd != nullptr) CWnd::Invalidate(FALSE);
}

BOOL CTkDockingPaneTabbedContainer::CreateContainerWindow() {
  if (m_hWnd != nullptr) return TRUE;
  if (m_pArrangement == nullptr || m_pArrangement->m_bSnapshot) return FALSE;
  if (m_pDockingSite == nullptr || m_pDockingSite->GetSafeHwnd() == nullptr) return FALSE;
  LPCWSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
  if (!CreateEx(0, windowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                m_pDockingSite, 0))
    return FALSE;
  // Without OLE on the thread there are no drags to follow.
  m_pDropTarget->Register(this);
  return TRUE;
}

void CTkDockingPaneTabbedContainer::RecalcSiteNow() {
  CFrameWnd* frame = dynamic_cast<CFrameWnd*>(m_pDockingSite);
  if (frame != nullptr) frame->RecalcLayout();
}

void CTkDockingPaneTabbedContainer::InitFromPane(CTkDockingPaneObject* pane, CWnd* pSite) {
  m_pDockingSite = pSite;
  DockingCX = pane->DockingCX;
  DockingCY = pane->DockingCY;
  m_paneRect = pane->m_paneRect;
  AddPane(pane, TRUE);
}

void CTkDockingPaneTabbedContainer::AddPane(CTkDockingPaneObject* pane, BOOL bSetFocus) {
  CreateContainerWindow();
  m_panes.push_back(pane);
  pane->SetParentContainer(this);
  pane->SetDockingSite(m_pDockingSite);
  DelayRecalcSite();
  SelectPane(pane, bSetFocus, TRUE);
  if (m_pParent != nullptr) m_pParent->OnChildContainerChanged(this);
}

void CTkDockingPaneTabbedContainer::RemovePane(CTkDockingPaneNode* node) {
  auto it = std::find(m_panes.begin(), m_panes.end(), node);
  if (it == m_panes.end()) return;
  CTkDockingPaneObject* pane = *it;
  m_panes.erase(it);
  if (m_pTabDragPane == pane) EndTabDrag();
  UpdateTabs();
  pane->SetParentContainer(nullptr);
  if (m_pParent != nullptr) m_pParent->OnChildContainerChanged(this);
  // The container may be inside its own message handler here; the window
  // object stays, only the window goes.
  if (m_panes.empty() && m_hWnd != nullptr) DestroyWindow();
  DelayRecalcSite();
  if (pane == m_pSelectedPane) {
    m_pSelectedPane = nullptr;
    SelectPane(m_panes.empty() ? nullptr : m_panes.back(), TRUE, TRUE);
  }
}

void CTkDockingPaneTabbedContainer::SelectPane(CTkDockingPaneObject* pane, BOOL bSetFocus, BOOL bDelayRecalc) {
  if (pane != m_pSelectedPane) {
    m_pSelectedPane = pane;
    if (bDelayRecalc) {
      DelayRecalcSite();
      if (m_pParent != nullptr) m_pParent->OnChildContainerChanged(this);
    } else {
      RefreshLayout(TRUE);
    }
  }
  if (bSetFocus && m_pSelectedPane != nullptr) {
    CTkDockingPaneSite* site = GetDockingPaneManager();
    if (m_bContainerActive && site != nullptr) site->SetActivePane(TRUE, m_pSelectedPane);
    m_pSelectedPane->SetFocus();
  }
}

void CTkDockingPaneTabbedContainer::ShowContainer(BOOL bSetFocus) {
  if (m_pSelectedPane != nullptr && IsHidden()) {
    static_cast<CTkDockingPaneHiddenStrip*>(m_pParent)->ShowAutoHideWindow(m_pSelectedPane, bSetFocus);
    return;
  }
  // A docked container is already in view; a floating one comes up with
  // its frame, rolled down.
  auto* frame = dynamic_cast<CTkDockingPaneMiniWnd*>(m_pDockingSite);
  if (frame == nullptr || frame->GetSafeHwnd() == nullptr) return;
  if (frame->m_bCollapsed) frame->ToggleCollapse();
  if (!frame->IsWindowVisible()) frame->ShowWindow(SW_SHOWNA);
  frame->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | (bSetFocus ? 0 : SWP_NOACTIVATE));
}

CString CTkDockingPaneTabbedContainer::GetTitle() const {
  return m_pSelectedPane != nullptr ? m_pSelectedPane->GetTitle() : CString();
}

void CTkDockingPaneTabbedContainer::SetCaptionVisible(BOOL visible) {
  m_bCaptionShown = visible;
  DelayRecalcSite();
}

BOOL CTkDockingPaneTabbedContainer::IsCaptionVisible() const {
  return m_bCaptionShown && m_pSelectedPane != nullptr && !(m_pSelectedPane->GetOptions() & kPaneNoCaption);
}

BOOL CTkDockingPaneTabbedContainer::IsTabsVisible() {
  if (m_hWnd == nullptr) return FALSE;
  // Slid out, the strip's tabs stand for the container's.
  if (dynamic_cast<CTkDockingPaneAutoHideWnd*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd))) != nullptr) return FALSE;
  CTkDockingPanePainter* painter = GetPaintManager();
  return m_panes.size() > 1 || (painter != nullptr && painter->m_bShowSingleTab);
}

BOOL CTkDockingPaneTabbedContainer::IsCaptionVertical() {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  int mode = site != nullptr ? site->m_verticalCaptionMode : 0;
  switch (mode) {
    case 0:
      return FALSE;
    case 2: {
      int direction = site->GetPaneDirection(this);
      return direction == kDockTop || direction == kDockBottom;
    }
    case 3:
      return m_paneRect.Width() > m_paneRect.Height();
    default:
      return TRUE;
  }
}

int CTkDockingPaneTabbedContainer::HitTest(CPoint point) {
  CRect client;
  if (m_hWnd != nullptr) GetClientRect(&client);
  CTkDockingPanePainter* painter = GetPaintManager();
  if (IsCaptionVisible() && painter != nullptr && client.PtInRect(point)) {
    CRect rest = client;
    painter->AdjustCaptionRect(this, &rest);
    if (!rest.PtInRect(point)) return -2;
  }
  if (IsTabsVisible()) {
    CTkTabManagerItem* tab = CTkTabSet::HitTest(point.x, point.y);
    if (tab != nullptr) return tab->m_index;
  }
  return -1;
}

BOOL CTkDockingPaneTabbedContainer::HitTestDockingArea(RECT* rect, CPoint point) {
  CTkDockingPanePainter* painter = GetPaintManager();
  if (painter == nullptr) return FALSE;
  BOOL vertical = IsCaptionVertical();
  CRect band = *rect;
  int size = painter->m_captionHeight + 3;
  if (m_bCaptionShown) {
    if (vertical) {
      band.right = band.left + size;
      rect->left += size;
    } else {
      band.bottom = band.top + size;
      rect->top += size;
    }
  } else {
    CRect site;
    if (m_pDockingSite != nullptr && m_pDockingSite->GetSafeHwnd() != nullptr) m_pDockingSite->GetWindowRect(&site);
    if (vertical) {
      band.right = band.left;
      band.left = site.left;
    } else {
      band.bottom = band.top;
      band.top = site.top;
    }
  }
  if (band.PtInRect(point)) return TRUE;
  if (IsTabsVisible()) {
    CRect tabs = *rect;
    tabs.top = tabs.bottom - painter->m_tabStripHeight;
    rect->bottom = tabs.top;
    if (tabs.PtInRect(point)) return TRUE;
  }
  return FALSE;
}

CTkDockingPaneObject* CTkDockingPaneTabbedContainer::GetPaneAt(int index) const {
  if (index < 0 || index >= GetTabCount()) return nullptr;
  return static_cast<CTkDockingPaneObject*>(GetTab(index)->m_pAttached);
}

BOOL CTkDockingPaneTabbedContainer::ContainsPane(CTkDockingPaneNode* node) {
  if (node == this) return TRUE;
  return std::find(m_panes.begin(), m_panes.end(), node) != m_panes.end();
}

void CTkDockingPaneTabbedContainer::FindPanes(int type, std::vector<CTkDockingPaneNode*>& list) {
  for (CTkDockingPaneObject* pane : m_panes)
    if (pane->GetType() == type) list.push_back(pane);
}

BOOL CTkDockingPaneTabbedContainer::IsHidden() {
  return m_pParent != nullptr && m_pParent->GetType() == kNodeHiddenStrip;
}

CRect CTkDockingPaneTabbedContainer::ClientRectForPanes() {
  CRect client = m_paneRect;
  CTkDockingPanePainter* painter = GetPaintManager();
  if (painter != nullptr) painter->AdjustClientRect(this, &client, TRUE);
  return client;
}

void CTkDockingPaneTabbedContainer::OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pParams) {
  SetDockingSite(pSite);
  m_paneRect = rect;
  if (pParams != nullptr && pParams->hDWP == nullptr) return;
  if (m_hWnd != nullptr) {
    SetWindowPos(&CWnd::wndBottom, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
    Invalidate();
  }
  {
    LayoutGuard guard(m_layoutGuard);
    UpdateTabs();
  }
  CTkDockingPaneCaptionButton* autoHide = FindCaptionButton(kButtonAutoHide);
  if (autoHide != nullptr) autoHide->m_state = IsHidden() ? 3 : (pSite != nullptr && pSite->IsFrameWnd() ? 1 : 0);
  CRect client = ClientRectForPanes();
  for (CTkDockingPaneObject* pane : m_panes) {
    if (pane->m_hwndChild != nullptr) ::ShowWindow(pane->m_hwndChild, pane == m_pSelectedPane ? SW_SHOW : SW_HIDE);
    pane->OnSizeParent(pSite, client, pParams);
  }
}

int CTkDockingPaneTabbedContainer::RefreshLayout(BOOL bUpdatePanes) {
  if (m_hWnd == nullptr || m_pParent == nullptr) return 0;
  if (m_layoutGuard > 0) return m_layoutGuard;
  {
    LayoutGuard guard(m_layoutGuard);
    UpdateTabs();
  }
  CRect client = ClientRectForPanes();
  if (bUpdatePanes) {
    for (CTkDockingPaneObject* pane : m_panes) {
      if (pane->m_hwndChild != nullptr) ::ShowWindow(pane->m_hwndChild, pane == m_pSelectedPane ? SW_SHOW : SW_HIDE);
      pane->OnSizeParent(m_pDockingSite, client, nullptr);
    }
  }
  Invalidate();
  return m_pParent->RefreshLayout(bUpdatePanes);
}

void CTkDockingPaneTabbedContainer::UpdateTabs() {
  if (m_hWnd == nullptr) return;
  LayoutGuard guard(m_layoutGuard);
  DeleteAllTabs();
  for (CTkDockingPaneObject* pane : m_panes) {
    CTkTabManagerItem* item = InsertTab(GetTabCount());
    if (pane == m_pSelectedPane) SelectTab(item);
    item->SetCaption(pane->GetTabCaption());
    item->SetColor(pane->GetTabColor());
    item->m_toolTip = pane->GetTitle();
    item->m_pAttached = pane;
  }
  for (CTkDockingPaneCaptionButton* button : m_captionButtons) button->OnMouseMove(CPoint(-1, -1));
}

void CTkDockingPaneTabbedContainer::GetMinMaxInfo(MINMAXINFO* pInfo) {
  CTkDockingPaneNode::GetMinMaxInfo(pInfo);
  if (m_panes.empty()) return;
  CTkDockingPaneSite* site = GetDockingPaneManager();
  BOOL collapsed = FALSE;
  if (!m_bMaximized && m_pParent != nullptr && m_pParent->GetType() == kNodeSplitGroup && site != nullptr &&
      site->m_bShowMaximizeButtons) {
    std::vector<CTkDockingPaneNode*> siblings;
    static_cast<CTkDockingPaneSplitGroup*>(m_pParent)->FindChildPanes(kNodeTabbedContainer, siblings);
    for (CTkDockingPaneNode* sibling : siblings)
      if (sibling != this && static_cast<CTkDockingPaneTabbedContainer*>(sibling)->m_bMaximized) collapsed = TRUE;
    if (collapsed) {
      if (static_cast<CTkDockingPaneSplitGroup*>(m_pParent)->m_bHorizontal) pInfo->ptMaxTrackSize.x = 0;
      else pInfo->ptMaxTrackSize.y = 0;
    }
  }
  if (!collapsed) {
    for (CTkDockingPaneObject* pane : m_panes) {
      MINMAXINFO info;
      pane->GetMinMaxInfo(&info);
      pInfo->ptMinTrackSize.x = std::max(pInfo->ptMinTrackSize.x, info.ptMinTrackSize.x);
      pInfo->ptMinTrackSize.y = std::max(pInfo->ptMinTrackSize.y, info.ptMinTrackSize.y);
      pInfo->ptMaxTrackSize.x = std::min(pInfo->ptMaxTrackSize.x, info.ptMaxTrackSize.x);
      pInfo->ptMaxTrackSize.y = std::min(pInfo->ptMaxTrackSize.y, info.ptMaxTrackSize.y);
    }
  }
  CTkDockingPanePainter* painter = GetPaintManager();
  if (painter == nullptr) return;
  CRect rect(0, 0, 1000, 1000);
  painter->AdjustClientRect(this, &rect, FALSE);
  int width = 1000 - rect.Width();
  int height = 1000 - rect.Height();
  pInfo->ptMinTrackSize.x += width;
  pInfo->ptMaxTrackSize.x += width;
  pInfo->ptMinTrackSize.y += height;
  pInfo->ptMaxTrackSize.y += height;
}

void CTkDockingPaneTabbedContainer::OnFocusChanged() {
  if (m_hWnd == nullptr) return;
  HWND focus = ::GetFocus();
  BOOL active = FALSE;
  if (focus != nullptr) {
    HWND owner = ::GetWindow(focus, GW_OWNER);
    if (owner == nullptr) owner = ::GetParent(focus);
    active = focus == m_hWnd || ::IsChild(m_hWnd, focus) || (owner != nullptr && (owner == m_hWnd || ::IsChild(m_hWnd, owner)));
  }
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (active != m_bContainerActive) {
    m_bContainerActive = active;
    if (site != nullptr) site->SetActivePane(active, m_pSelectedPane);
    Invalidate();
  } else if (active && site != nullptr && site->GetActivePane() != m_pSelectedPane) {
    site->SetActivePane(TRUE, m_pSelectedPane);
  }
  if (m_pSelectedPane != nullptr && m_pSelectedPane->m_hwndChild != nullptr)
    ::SendMessageW(m_pSelectedPane->m_hwndChild, WM_IDLEUPDATECMDUI, 0, 0);
}

void CTkDockingPaneTabbedContainer::SetDockingSite(CWnd* pSite) {
  m_pDockingSite = pSite;
  if (m_hWnd != nullptr && pSite != nullptr && pSite->GetSafeHwnd() != nullptr && ::GetParent(m_hWnd) != pSite->GetSafeHwnd())
    ::SetParent(m_hWnd, pSite->GetSafeHwnd());
  for (CTkDockingPaneObject* pane : m_panes) pane->SetDockingSite(pSite);
}

void CTkDockingPaneTabbedContainer::OnParentContainerChanged(CTkDockingPaneNode* parent) {
  SetDockingSite(parent->GetDockingSite());
  m_bCaptionShown = TRUE;
  if (parent->GetType() == kNodeHiddenStrip && m_hWnd != nullptr) ShowWindow(SW_HIDE);
}

BOOL CTkDockingPaneTabbedContainer::DoPropExchange(CTkPropExchange* pPX) {
  static const int zero = 0;
  CTkDockingPaneNode::DoPropExchange(pPX);
  if (!pPX->IsLoading()) {
    int count = static_cast<int>(m_panes.size());
    int selected = m_pSelectedPane != nullptr ? m_pSelectedPane->m_persistId : 0;
    pPX->ExchangeValue(L"Panes", kTkInt, &count, nullptr);
    pPX->ExchangeValue(L"Selected", kTkInt, &selected, &zero);
    for (int i = 0; i < count; ++i) {
      CString name;
      name.Format(L"Pane-%d", i + 1);
      int id = m_panes[i]->m_persistId;
      pPX->ExchangeValue(name, kTkInt, &id, nullptr);
    }
    return TRUE;
  }
  int count = 0;
  int selected = 0;
  if (!pPX->ExchangeValue(L"Panes", kTkInt, &count, nullptr)) return FALSE;
  pPX->ExchangeValue(L"Selected", kTkInt, &selected, &zero);
  for (int i = 0; i < count; ++i) {
    CString name;
    name.Format(L"Pane-%d", i + 1);
    int id = 0;
    pPX->ExchangeValue(name, kTkInt, &id, &zero);
    CTkDockingPaneNode* node = m_pArrangement->NodeFromPersistId(id);
    // A pane joins one container, once.
    if (node == nullptr || node->GetType() != kNodePane || node->m_pParent != nullptr) return FALSE;
    AddPane(static_cast<CTkDockingPaneObject*>(node), TRUE);
  }
  CTkDockingPaneNode* chosen = m_pArrangement->NodeFromPersistId(selected);
  if (chosen != nullptr && chosen->GetType() == kNodePane && chosen->m_pParent == this)
    SelectPane(static_cast<CTkDockingPaneObject*>(chosen), TRUE, TRUE);
  return TRUE;
}

void CTkDockingPaneTabbedContainer::CopyFrom(CTkDockingPaneTabbedContainer* other, CMapPtrToPtr* pMap,
                                             DWORD excludeOptions) {
  m_bContainerActive = FALSE;
  m_pSelectedPane = nullptr;
  m_pTabDragPane = nullptr;
  CTkDockingPaneSite* site = GetDockingPaneManager();
  m_pDockingSite = site != nullptr ? site->GetSite() : nullptr;
  m_paneRect = other->m_paneRect;
  DockingCX = other->DockingCX;
  DockingCY = other->DockingCY;
  m_bCaptionShown = TRUE;
  m_layoutGuard = 0;
  if (pMap != nullptr) {
    CTkDockingPaneObject* selected = nullptr;
    for (CTkDockingPaneObject* pane : other->m_panes) {
      CTkDockingPaneObject* copy = static_cast<CTkDockingPaneObject*>(pane->Clone(m_pArrangement, pMap, 0));
      if (copy == nullptr) continue;
      AddPane(copy, FALSE);
      if (pane == other->m_pSelectedPane) selected = copy;
    }
    if (selected != nullptr) SelectPane(selected, FALSE, TRUE);
    return;
  }
  CTkDockingPaneObject* selected = nullptr;
  std::vector<CTkDockingPaneObject*> panes = other->m_panes;
  for (CTkDockingPaneObject* pane : panes) {
    if (pane->GetOptions() & excludeOptions) continue;
    BOOL wasSelected = pane == other->m_pSelectedPane;
    other->RemovePane(pane);
    AddPane(pane, FALSE);
    if (wasSelected && selected == nullptr) selected = pane;
  }
  if (selected != nullptr) SelectPane(selected, FALSE, TRUE);
}

CTkDockingPaneNode* CTkDockingPaneTabbedContainer::Clone(CTkDockingPaneArrangement* pArrangement, CMapPtrToPtr* pMap,
                                                         DWORD flags) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site == nullptr) return nullptr;
  CTkDockingPaneTabbedContainer* copy =
      static_cast<CTkDockingPaneTabbedContainer*>(site->CreatePaneNode(kNodeTabbedContainer, pArrangement));
  if (copy == nullptr) return nullptr;
  copy->CopyFrom(this, pMap, flags);
  if (pMap != nullptr) pMap->SetAt(static_cast<CTkDockingPaneNode*>(this), static_cast<CTkDockingPaneNode*>(copy));
  return copy;
}

BOOL CTkDockingPaneTabbedContainer::IsMaximizePossible() {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (m_pParent == nullptr || m_pParent->GetType() != kNodeSplitGroup || site == nullptr ||
      !site->m_bShowMaximizeButtons)
    return FALSE;
  std::vector<CTkDockingPaneNode*> siblings;
  static_cast<CTkDockingPaneSplitGroup*>(m_pParent)->FindChildPanes(kNodeTabbedContainer, siblings);
  return siblings.size() > 1;
}

BOOL CTkDockingPaneTabbedContainer::IsCaptionButtonVisible(CTkDockingPaneCaptionButton* button) {
  DWORD options = m_pSelectedPane != nullptr ? m_pSelectedPane->GetOptions() : 0;
  switch (button->m_id) {
    case kButtonAutoHide:
      return m_pSelectedPane != nullptr && !(options & kPaneNoAutoHide) && (button->m_state & 1);
    case kButtonClose:
      return m_pSelectedPane != nullptr && !(options & kPaneNoClose);
    case kButtonMaximize:
      return IsMaximizePossible() && !m_bMaximized;
    case kButtonRestore:
      return IsMaximizePossible() && m_bMaximized;
    case kButtonMenu:
      return m_pSelectedPane != nullptr && (options & kPaneMenuButton);
    default:
      return TRUE;
  }
}

void CTkDockingPaneTabbedContainer::Reposition() {
  if (m_layoutGuard > 0) return;
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site != nullptr) site->RedrawPanes();
}

void CTkDockingPaneTabbedContainer::RedrawControl() {
  if (m_layoutGuard > 0) return;
  Invalidate();
}

BOOL CTkDockingPaneTabbedContainer::DrawTabIcon(CDC* pDC, POINT pt, CTkTabManagerItem* item, BOOL draw, SIZE* size) {
  if (item == nullptr) return TRUE;
  CTkTabPainter* painter = GetPainter();
  if (painter == nullptr || !painter->m_bImageInRowHeight) return FALSE;
  CTkDockingPaneObject* pane = static_cast<CTkDockingPaneObject*>(item->m_pAttached);
  if (pane == nullptr) return FALSE;
  CTkImageIcon* icon = pane->GetIcon(size != nullptr ? size->cx : 16);
  if (icon == nullptr) return FALSE;
  if (!draw) return TRUE;
  CSize extent = size != nullptr ? CSize(*size) : CSize(16, 16);
  CTkIconHandle* image;
  if (!item->IsEnabled()) image = &icon->GetDisabledImage();
  else if (item == GetHotTab()) image = &icon->GetHotImage();
  else if (item == GetSelectedTab()) image = &icon->GetCheckedImage();
  else image = &icon->GetNormalImage();
  icon->Draw(pDC, pt.x, pt.y, *image, extent.cx, extent.cy);
  return TRUE;
}

void CTkDockingPaneTabbedContainer::FocusSelected() {
  if (m_pSelectedPane != nullptr && m_pSelectedPane->m_hwndChild != nullptr) m_pSelectedPane->SetFocus();
  else if (m_hWnd != nullptr) ::SetFocus(m_hWnd);
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site != nullptr) site->UpdatePaneFocus();
}

void CTkDockingPaneTabbedContainer::EndTabDrag() {
  m_pTabDragPane = nullptr;
  if (m_hWnd != nullptr && ::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CTkDockingPaneTabbedContainer::RunMenuRequest(CTkDockingPaneCaptionButton* button) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  button->m_bPressed = TRUE;
  button->Redraw();
  UpdateWindow();
  CRect rect = button->m_rect;
  ClientToScreen(&rect);
  DockingPaneMenuRequest request = {m_pSelectedPane, rect.left, rect.bottom, rect};
  if (site != nullptr && site->GetSite() != nullptr)
    site->GetSite()->SendMessage(DockingPaneNotify, kNotifyMenuRequest, reinterpret_cast<LPARAM>(&request));
  button->m_bPressed = FALSE;
  Invalidate();
}

void CTkDockingPaneTabbedContainer::OnCaptionButtonClick(CTkDockingPaneCaptionButton* button) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site == nullptr) return;
  switch (button->m_id) {
    case kButtonAutoHide: {
      CTkDockingPaneObject* pane = m_pSelectedPane;
      if (IsHidden()) {
        site->ToggleDocking(site->m_bHideWholeContainers ? static_cast<CTkDockingPaneNode*>(this) : pane);
        return;
      }
      if (pane == nullptr || site->NotifyAction(kActionPinning, pane, nullptr, 0)) return;
      int direction = site->GetPaneDirection(this);
      BOOL width = direction == kDockLeft || direction == kDockRight;
      int size = width ? m_paneRect.Width() : m_paneRect.Height();
      (width ? DockingCX : DockingCY) = size;
      for (CTkDockingPaneObject* each : m_panes) (width ? each->DockingCX : each->DockingCY) = size;
      pane->Hide();
      site->NotifyAction(kActionPinned, pane, nullptr, 0);
      return;
    }
    case kButtonClose: {
      std::vector<CTkDockingPaneObject*> panes;
      if (site->m_bCloseAll) {
        for (CTkDockingPaneObject* pane : m_panes)
          if (!(pane->GetOptions() & kPaneNoClose)) panes.push_back(pane);
      } else if (m_pSelectedPane != nullptr) {
        panes.push_back(m_pSelectedPane);
      }
      for (CTkDockingPaneObject* pane : panes) {
        if (site->NotifyAction(kActionClosing, pane, nullptr, 0)) continue;
        pane->Close();
        site->NotifyAction(kActionClosed, pane, nullptr, 0);
      }
      return;
    }
    case kButtonMaximize:
    case kButtonRestore: {
      BOOL maximize = button->m_id == kButtonMaximize;
      if (maximize && m_pParent != nullptr && m_pParent->GetType() == kNodeSplitGroup) {
        for (CTkDockingPaneNode* child : static_cast<CTkDockingPaneSplitGroup*>(m_pParent)->m_children)
          if (child->GetType() == kNodeTabbedContainer)
            static_cast<CTkDockingPaneTabbedContainer*>(child)->m_bMaximized = child == this;
      } else {
        m_bMaximized = FALSE;
      }
      RecalcSiteNow();
      return;
    }
    default:
      return;
  }
}

BOOL CTkDockingPaneTabbedContainer::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site != nullptr && site->m_pTipContext != nullptr)
    site->m_pTipContext->RelayMouseMessage(this, message, wParam, lParam);
  // Nothing a handler throws may leave the window procedure.
  try {
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
  } catch (...) {
    if (pResult != nullptr) *pResult = 0;
    return TRUE;
  }
}

void CTkDockingPaneTabbedContainer::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  CTkOffscreenDC dc(paint.GetSafeHdc(), client.left, client.top, client.right, client.bottom);
  CTkDockingPanePainter* painter = GetPaintManager();
  if (painter != nullptr) painter->DrawPane(&dc, this, client);
}

BOOL CTkDockingPaneTabbedContainer::OnEraseBkgnd(CDC*) { return TRUE; }

void CTkDockingPaneTabbedContainer::OnLButtonDown(UINT nFlags, CPoint point) {
  for (CTkDockingPaneCaptionButton* button : m_captionButtons) {
    if (button->m_rect.IsRectEmpty() || !button->m_rect.PtInRect(point)) continue;
    HWND self = m_hWnd;
    FocusSelected();
    if (m_pSelectedPane != nullptr && button->m_id == kButtonMenu) {
      RunMenuRequest(button);
      return;
    }
    if (button->Click(this, point, TRUE) && m_pSelectedPane != nullptr && ::IsWindow(self))
      OnCaptionButtonClick(button);
    return;
  }
  if (IsTabsVisible() && HandleLeftButtonDown(m_hWnd, point.x, point.y, TRUE)) return;
  int hit = HitTest(point);
  if (hit == -2) {
    FocusSelected();
    CPoint screen = point;
    ClientToScreen(&screen);
    if (!IsHidden()) OnCaptionDrag(screen);
    return;
  } else if (hit >= 0) {
    m_tabRects.clear();
    for (int i = 0; i < GetTabCount(); ++i) m_tabRects.push_back(GetTab(i)->m_rect);
    m_pTabDragPane = GetPaneAt(hit);
    SelectPane(m_pTabDragPane, TRUE, FALSE);
    HandleMouseMove(m_hWnd, point.x, point.y);
    if (m_hWnd != nullptr) {
      SetCapture();
      Invalidate();
    }
  } else {
    FocusSelected();
  }
  if (m_hWnd != nullptr) CWnd::Default();
  (void)nFlags;
}

void CTkDockingPaneTabbedContainer::OnMouseMove(UINT, CPoint point) {
  HandleMouseMove(m_hWnd, point.x, point.y);
  if (m_pTabDragPane == nullptr) {
    for (CTkDockingPaneCaptionButton* button : m_captionButtons) button->OnMouseMove(point);
    return;
  }
  for (size_t i = 0; i < m_tabRects.size() && i < m_panes.size(); ++i) {
    if (!m_tabRects[i].PtInRect(point)) continue;
    CTkDockingPaneObject* pane = GetPaneAt(static_cast<int>(i));
    if (pane == nullptr || pane == m_pTabDragPane) return;
    auto dragged = std::find(m_panes.begin(), m_panes.end(), m_pTabDragPane);
    auto other = std::find(m_panes.begin(), m_panes.end(), pane);
    if (dragged != m_panes.end() && other != m_panes.end()) std::iter_swap(dragged, other);
    RefreshLayout(TRUE);
    return;
  }
  if (CTkTabSet::HitTest(point.x, point.y) != nullptr) return;
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site == nullptr || site->NotifyAction(kActionDraggingOut, m_pTabDragPane, this, 0)) return;
  EndTabDrag();
  // The pane whose tab was pressed is the selected one: it leaves the
  // container with the pointer.
  CPoint screen = point;
  ClientToScreen(&screen);
  if (m_pSelectedPane != nullptr && site->m_pDragTracker != nullptr)
    site->m_pDragTracker->BeginDrag(m_pSelectedPane, screen.x, screen.y);
}

void CTkDockingPaneTabbedContainer::OnCaptionDrag(CPoint screenPoint) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  // A click that is already over is no drag.
  if (site == nullptr || site->m_pDragTracker == nullptr || ::GetKeyState(VK_LBUTTON) >= 0) return;
  site->m_pDragTracker->BeginDrag(this, screenPoint.x, screenPoint.y);
}

void CTkDockingPaneTabbedContainer::OnLButtonUp(UINT, CPoint) {
  if (m_pTabDragPane != nullptr) EndTabDrag();
}

void CTkDockingPaneTabbedContainer::OnCaptureChanged(CWnd*) { m_pTabDragPane = nullptr; }

LRESULT CTkDockingPaneTabbedContainer::OnMouseLeave(WPARAM, LPARAM) {
  OnMouseMove(0, CPoint(-1, -1));
  return 0;
}

void CTkDockingPaneTabbedContainer::OnLButtonDblClk(UINT, CPoint point) {
  if (IsTabsVisible() && HandleLeftButtonDown(m_hWnd, point.x, point.y, TRUE)) return;
  for (CTkDockingPaneCaptionButton* button : m_captionButtons)
    if (!button->m_rect.IsRectEmpty() && button->m_rect.PtInRect(point)) return;
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site == nullptr) return;
  int hit = HitTest(point);
  if (hit == -2) {
    if (IsHidden() && m_pSelectedPane != nullptr && (m_pSelectedPane->GetOptions() & kPaneNoAutoHide)) return;
    site->ToggleDocking(this);
  } else if (hit >= 0) {
    site->ToggleDocking(GetPaneAt(hit));
  }
}

void CTkDockingPaneTabbedContainer::OnRButtonDown(UINT, CPoint point) {
  int hit = HitTest(point);
  if (hit >= 0) {
    SelectPane(GetPaneAt(hit), TRUE, TRUE);
    RecalcSiteNow();
  }
  FocusSelected();
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site != nullptr && site->GetSite() != nullptr)
    site->GetSite()->SendMessage(DockingPaneNotify, kNotifyContextMenu,
                                 reinterpret_cast<LPARAM>(static_cast<CTkDockingPaneNode*>(this)));
}

LRESULT CTkDockingPaneTabbedContainer::OnHelpHitTest(WPARAM, LPARAM lParam) {
  CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
  CTkDockingPaneObject* pane = nullptr;
  if (IsTabsVisible()) {
    CTkTabManagerItem* tab = CTkTabSet::HitTest(point.x, point.y);
    if (tab != nullptr) pane = static_cast<CTkDockingPaneObject*>(tab->m_pAttached);
  }
  if (pane == nullptr) pane = m_pSelectedPane;
  if (pane == nullptr) return 0;
  return (pane->m_helpId != 0 ? pane->m_helpId : static_cast<DWORD>(pane->m_id)) + 0x20000;
}

INT_PTR CTkDockingPaneTabbedContainer::OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const {
  INT_PTR hit = CWnd::OnToolHitTest(point, pTI);
  if (hit != -1) return hit;
  for (CTkDockingPaneCaptionButton* button : m_captionButtons) {
    if (button->m_rect.IsRectEmpty() || !button->m_rect.PtInRect(point)) continue;
    CString text;
    GetToolkitResourceLoader()->LoadString(text, button->m_id);
    if (text.IsEmpty()) return -1;
    const CRect& rc = button->m_rect;
    FillToolInfo(pTI, m_hWnd, rc.left, rc.top, rc.right, rc.bottom, button->m_id, text, L"", L"");
    return button->m_id;
  }
  auto* self = const_cast<CTkDockingPaneTabbedContainer*>(this);
  if (self->IsTabsVisible())
    return self->GetToolTipInfo(m_hWnd, CTkTabSet::HitTest(point.x, point.y), pTI);
  return -1;
}
