#include "docking_hidden_strip.h"

#include <algorithm>

#include "docking_arrangement.h"
#include "docking_auto_hide_wnd.h"
#include "docking_pane.h"
#include "docking_pane_painter.h"
#include "docking_pane_site.h"
#include "docking_tabbed_container.h"
#include "draw_helpers.h"
#include "icon_image.h"
#include "ole_drop_target.h"
#include "prop_exchange.h"
#include "tab_drag_over_target.h"
#include "tab_painter.h"
#include "tab_palette.h"
#include "tab_shape.h"

IMPLEMENT_DYNAMIC(CTkDockingPaneHiddenStrip, CWnd)

BEGIN_MESSAGE_MAP(CTkDockingPaneHiddenStrip, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// The four strips share one tab painter: each group lays out and draws
// with its own strip position, put back afterwards.
class PositionScope {
 public:
  PositionScope(CTkTabPainter* painter, int position) : m_pPainter(painter), m_old(painter->m_position) {
    painter->m_position = position;
  }
  ~PositionScope() { m_pPainter->m_position = m_old; }
  PositionScope(const PositionScope&) = delete;
  PositionScope& operator=(const PositionScope&) = delete;

 private:
  CTkTabPainter* m_pPainter;
  int m_old;
};

}  // namespace

// Tab groups.

CTkDockingPaneStripTabs::CTkDockingPaneStripTabs(CTkDockingPaneHiddenStrip* strip) : m_pStrip(strip) {
  // The strip never scrolls its groups.
  for (CTkTabScrollButton* button : m_buttons)
    if (button->m_id == CTkTabScrollButton::kBack || button->m_id == CTkTabScrollButton::kForward)
      button->m_displayMode = CTkTabScrollButton::kNeverShown;
}

CTkDockingPaneStripTabs::~CTkDockingPaneStripTabs() {
  // The tabs refer to panes the strip does not own.
  for (CTkTabManagerItem* tab : m_tabs) tab->m_pAttached = nullptr;
}

CTkTabPainter* CTkDockingPaneStripTabs::GetPainter() const {
  CTkDockingPanePainter* painter = m_pStrip->GetPaintManager();
  return painter != nullptr ? painter->m_pAutoHideTabPainter : nullptr;
}

void CTkDockingPaneStripTabs::RedrawControl() {
  if (m_pStrip->GetSafeHwnd() != nullptr) m_pStrip->Invalidate();
}

int CTkDockingPaneStripTabs::GetStripPosition() const {
  switch (m_pStrip->GetSide()) {
    case kDockLeft: return kTabRight;
    case kDockRight: return kTabLeft;
    case kDockTop: return kTabBottom;
    default: return kTabTop;
  }
}

BOOL CTkDockingPaneStripTabs::DrawTabIcon(CDC* pDC, POINT pt, CTkTabManagerItem* item, BOOL draw, SIZE* size) {
  if (item == nullptr) return TRUE;
  CTkTabPainter* painter = GetPainter();
  if (painter == nullptr || !painter->m_bImageInRowHeight) return FALSE;
  auto* pane = static_cast<CTkDockingPaneObject*>(item->m_pAttached);
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

// The strip.

CTkDockingPaneHiddenStrip::CTkDockingPaneHiddenStrip(CTkDockingPaneArrangement* arrangement)
    : CTkDockingPaneNode(kNodeHiddenStrip, arrangement) {
  m_pDropTarget = new CTkTabDragOverTarget<CTkDockingPaneHiddenStrip>(this);
}

CTkDockingPaneHiddenStrip::~CTkDockingPaneHiddenStrip() {
  DestroyAutoHideWindows();
  if (m_hWnd != nullptr) DestroyWindow();
  m_tabGroups.clear();
  delete m_pDropTarget;
  if (m_pArrangement != nullptr && m_side >= 0 && m_side < 4 && m_pArrangement->m_strips[m_side] == this)
    m_pArrangement->m_strips[m_side] = nullptr;
}

CTkTabPainter* CTkDockingPaneHiddenStrip::GetTabPainter() const {
  CTkDockingPanePainter* painter = GetPaintManager();
  return painter != nullptr ? painter->m_pAutoHideTabPainter : nullptr;
}

BOOL CTkDockingPaneHiddenStrip::Create(CWnd* pParent) {
  if (m_hWnd != nullptr) return TRUE;
  if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr) return FALSE;
  LPCWSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
  if (!CreateEx(0, windowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                pParent, 0))
    return FALSE;
  // Without OLE on the thread there are no drags to follow.
  m_pDropTarget->Register(this);
  return TRUE;
}

void CTkDockingPaneHiddenStrip::OnDestroy() {
  m_pDropTarget->Revoke();
  CWnd::OnDestroy();
}

BOOL CTkDockingPaneHiddenStrip::IsEmpty() {
  for (CTkDockingPaneTabbedContainer* container : m_containers)
    if (!container->IsEmpty()) return FALSE;
  return TRUE;
}

int CTkDockingPaneHiddenStrip::GetThickness() const {
  CTkTabPainter* painter = GetTabPainter();
  if (painter == nullptr || painter->GetAppearance() == nullptr) return 0;
  // A group without tabs stands for "no strip" in the row height.
  CTkDockingPaneStripTabs probe(const_cast<CTkDockingPaneHiddenStrip*>(this));
  CRect margin = painter->GetAppearance()->GetHeaderMargin();
  return painter->GetAppearance()->GetRowHeight(&probe) + margin.top + margin.bottom;
}

void CTkDockingPaneHiddenStrip::OnSizeParent(CWnd* pSite, RECT* rect, AFX_SIZEPARENTPARAMS* pParams) {
  if (IsEmpty()) {
    if (m_hWnd != nullptr) DestroyWindow();
    return;
  }
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (pSite == nullptr && site != nullptr) pSite = site->GetSite();
  if (m_hWnd == nullptr && !Create(pSite)) return;
  CloseAutoHideWindow(FALSE);
  int thickness = GetThickness();
  CRect band = *rect;
  switch (m_side) {
    case kDockLeft:
      band.right = band.left + thickness;
      rect->left += thickness;
      break;
    case kDockRight:
      band.left = band.right - thickness;
      rect->right -= thickness;
      break;
    case kDockTop:
      band.bottom = band.top + thickness;
      rect->top += thickness;
      break;
    default:
      band.top = band.bottom - thickness;
      rect->bottom -= thickness;
      break;
  }
  m_paneRect = band;
  {
    CClientDC dc(this);
    LayoutTabs(&dc, CRect(0, 0, band.Width(), band.Height()));
  }
  if (pParams != nullptr && pParams->hDWP != nullptr) {
    SetWindowPos(nullptr, band.left, band.top, band.Width(), band.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate();
  }
}

void CTkDockingPaneHiddenStrip::LayoutTabs(CDC* pDC, CRect rect) {
  CTkTabPainter* painter = GetTabPainter();
  m_tabGroups.clear();
  if (painter == nullptr || painter->GetAppearance() == nullptr) return;
  BOOL alongX = m_side == kDockTop || m_side == kDockBottom;
  if (!alongX && m_pArrangement != nullptr) {
    // Beside a top strip the tabs begin below its band.
    CTkDockingPaneNode* top = m_pArrangement->m_strips[kDockTop];
    if (top != nullptr && top != this && !top->IsEmpty()) rect.top += GetThickness();
  }
  CRect margin = painter->GetAppearance()->GetHeaderMargin();
  for (CTkDockingPaneTabbedContainer* container : m_containers) {
    if (container->IsEmpty()) continue;
    auto tabs = std::make_unique<CTkDockingPaneStripTabs>(this);
    tabs->m_pContainer = container;
    {
      PositionScope scope(painter, tabs->GetStripPosition());
      for (CTkDockingPaneObject* pane : container->GetPanes()) {
        CTkTabManagerItem* item = tabs->InsertTab(tabs->GetTabCount());
        item->m_pAttached = pane;
        item->m_itemData = reinterpret_cast<DWORD_PTR>(pane);
        item->SetCaption(pane->GetTabCaption());
        item->SetColor(pane->GetTabColor());
        item->m_toolTip = pane->GetTitle();
        if (pane == container->GetSelected()) tabs->SelectTab(item);
      }
      painter->LayoutTabs(tabs.get(), pDC, rect);
    }
    tabs->m_rect = rect;
    int length = tabs->GetTabsLength() + margin.left + margin.right + 8;
    if (alongX) rect.left += length;
    else rect.top += length;
    m_tabGroups.push_back(std::move(tabs));
  }
}

int CTkDockingPaneHiddenStrip::RefreshLayout(BOOL) {
  if (m_hWnd == nullptr) return 0;
  CRect client;
  GetClientRect(&client);
  {
    CClientDC dc(this);
    LayoutTabs(&dc, client);
  }
  Invalidate();
  return 0;
}

void CTkDockingPaneHiddenStrip::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  CTkOffscreenDC dc(paint.GetSafeHdc(), client.left, client.top, client.right, client.bottom);
  DrawStrip(&dc);
}

void CTkDockingPaneHiddenStrip::DrawStrip(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  CTkTabPainter* painter = GetTabPainter();
  if (painter == nullptr || painter->GetColorSet() == nullptr) {
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    return;
  }
  const CTkGradientColor& gradient = painter->GetColorSet()->m_autoHideGradient;
  COLORREF first = gradient.m_first;
  COLORREF second = gradient.m_second;
  if (first == second) {
    pDC->FillSolidRect(&client, first);
  } else {
    // One gradient runs from the frame's left edge across the left and the
    // right strip.
    int half = ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
    CRect fill = client;
    CTkDockingPaneSite* site = GetDockingPaneManager();
    if (m_side == kDockRight && site != nullptr && site->GetSite() != nullptr) {
      CPoint origin(0, 0);
      ::MapWindowPoints(site->GetSite()->GetSafeHwnd(), m_hWnd, &origin, 1);
      fill.left = origin.x;
    }
    fill.right = std::max<int>(fill.left + half, client.right);
    GetGradientPainter().FillGradientClipped(pDC, &fill, first, second, TRUE, &client);
  }
  for (const auto& tabs : m_tabGroups) {
    PositionScope scope(painter, tabs->GetStripPosition());
    painter->DrawTabControl(tabs.get(), pDC, tabs->m_rect);
  }
}

CTkDockingPaneObject* CTkDockingPaneHiddenStrip::HitTestTab(CPoint point) const {
  CTkTabPainter* painter = GetTabPainter();
  if (painter == nullptr) return nullptr;
  for (const auto& tabs : m_tabGroups) {
    PositionScope scope(painter, tabs->GetStripPosition());
    CTkTabManagerItem* tab = tabs->HitTest(point.x, point.y);
    if (tab != nullptr) return static_cast<CTkDockingPaneObject*>(tab->m_pAttached);
  }
  return nullptr;
}

CTkDockingPaneTabbedContainer* CTkDockingPaneHiddenStrip::ContainerOf(CTkDockingPaneObject* pane) const {
  if (pane == nullptr) return nullptr;
  for (CTkDockingPaneTabbedContainer* container : m_containers)
    if (pane->m_pParent == container) return container;
  return nullptr;
}

CTkDockingPaneObject* CTkDockingPaneHiddenStrip::GetShownPane() const {
  if (m_pAutoHideWnd == nullptr || m_pAutoHideWnd->m_pContainer == nullptr) return nullptr;
  return m_pAutoHideWnd->m_pContainer->GetSelected();
}

void CTkDockingPaneHiddenStrip::AddContainer(CTkDockingPaneTabbedContainer* container) {
  if (container == nullptr) return;
  m_containers.push_back(container);
  CTkDockingPaneSite* site = GetDockingPaneManager();
  CFrameWnd* frame = site != nullptr ? site->GetSite() : nullptr;
  container->SetParentContainer(this);
  container->SetDockingSite(frame != nullptr ? frame : m_pDockingSite);
  if (frame != nullptr) frame->DelayRecalcLayout();
  container->OnParentContainerChanged(this);
  // A hidden window keeps no focus.
  HWND focus = ::GetFocus();
  HWND window = container->GetSafeHwnd();
  if (frame != nullptr && frame->GetSafeHwnd() != nullptr && window != nullptr && focus != nullptr &&
      (focus == window || ::IsChild(window, focus)))
    frame->SetFocus();
  if (m_hWnd != nullptr) Invalidate();
}

void CTkDockingPaneHiddenStrip::RemovePane(CTkDockingPaneNode* node) {
  auto it = std::find(m_containers.begin(), m_containers.end(), node);
  if (it == m_containers.end()) return;
  CTkDockingPaneTabbedContainer* container = *it;
  m_containers.erase(it);
  // A container leaving the strip takes its slid-out window with it.
  if (m_pAutoHideWnd != nullptr && m_pAutoHideWnd->m_pContainer == container) m_pAutoHideWnd->Close();
  if (m_hWnd != nullptr) Invalidate();
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site != nullptr && site->GetSite() != nullptr) site->GetSite()->DelayRecalcLayout();
  if (m_containers.empty() && m_hWnd != nullptr) DestroyWindow();
  container->SetParentContainer(nullptr);
}

void CTkDockingPaneHiddenStrip::OnChildContainerChanged(CTkDockingPaneNode*) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  // A pane docked back from the strip loses its window with the delay.
  if (m_pAutoHideWnd != nullptr) CloseAutoHideWindow(site != nullptr && site->m_bAttaching);
}

void CTkDockingPaneHiddenStrip::ShowAutoHideWindow(CTkDockingPaneObject* pane, BOOL bSetFocus) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  CTkDockingPaneTabbedContainer* container = ContainerOf(pane);
  if (site == nullptr || container == nullptr || site->GetSite() == nullptr) return;
  if (m_pAutoHideWnd != nullptr) {
    if (GetShownPane() == pane) {
      if (bSetFocus) pane->SetFocus();
      return;
    }
    // A window the frame keeps open stays the only one.
    CloseAutoHideWindow(FALSE);
    if (m_pAutoHideWnd != nullptr) return;
  }
  if (site->NotifyAction(kActionSlidingOut, pane, nullptr, 0)) return;
  auto* window = new CTkDockingPaneAutoHideWnd(this, container);
  container->SelectPane(pane, bSetFocus, FALSE);
  if (m_hWnd != nullptr) Invalidate();
  CFrameWnd* frame = site->GetSite();
  frame->RecalcLayout(TRUE);
  // That pass was the layout any earlier change asked for; run again at
  // idle time it would close the window just opened.
  frame->m_nIdleFlags &= ~(AFX_IDLE_LAYOUT | AFX_IDLE_NOTIFY);
  // Only now: the layout pass closes the strip's window.
  if (window->GetSafeHwnd() != nullptr) m_pAutoHideWnd = window;
}

void CTkDockingPaneHiddenStrip::CloseAutoHideWindow(BOOL bDelayed) {
  CTkDockingPaneAutoHideWnd* window = m_pAutoHideWnd;
  if (window == nullptr) return;
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (window->m_pContainer != nullptr && site != nullptr) {
    CTkDockingPaneObject* pane = window->m_pContainer->GetSelected();
    if (site->NotifyAction(kActionSlidingIn, pane, nullptr, 0)) return;
    site->NotifyAction(kActionSlidIn, pane, nullptr, 0);
  }
  if (m_pAutoHideWnd != window) return;
  m_pAutoHideWnd = nullptr;
  if (bDelayed) window->CloseDelayed();
  else window->Close();
}

void CTkDockingPaneHiddenStrip::AddClosingWindow(CTkDockingPaneAutoHideWnd* window) {
  m_closing.erase(std::remove_if(m_closing.begin(), m_closing.end(),
                                 [](const std::pair<CTkDockingPaneAutoHideWnd*, HWND>& entry) {
                                   return !::IsWindow(entry.second);
                                 }),
                  m_closing.end());
  if (window->GetSafeHwnd() != nullptr) m_closing.emplace_back(window, window->GetSafeHwnd());
}

void CTkDockingPaneHiddenStrip::DestroyAutoHideWindows() {
  if (m_pAutoHideWnd != nullptr) {
    CTkDockingPaneAutoHideWnd* window = m_pAutoHideWnd;
    m_pAutoHideWnd = nullptr;
    window->Close();
  }
  std::vector<std::pair<CTkDockingPaneAutoHideWnd*, HWND>> closing;
  closing.swap(m_closing);
  for (const auto& entry : closing) {
    // The handle must still belong to the same window object.
    if (::IsWindow(entry.second) && CWnd::FromHandlePermanent(entry.second) == entry.first) entry.first->DestroyWindow();
  }
}

void CTkDockingPaneHiddenStrip::OnDragOverTab(CPoint point) {
  CTkTabPainter* painter = GetTabPainter();
  if (painter == nullptr || !painter->m_bSelectOnDragOver) return;
  CTkDockingPaneObject* pane = HitTestTab(point);
  if (pane == nullptr || pane == GetShownPane()) return;
  CloseAutoHideWindow(FALSE);
  if (m_pAutoHideWnd == nullptr) ShowAutoHideWindow(pane, FALSE);
}

// Mouse.

void CTkDockingPaneHiddenStrip::OnLButtonDown(UINT, CPoint point) {
  CTkDockingPaneObject* pane = HitTestTab(point);
  if (pane == nullptr) return;
  if (pane == GetShownPane()) {
    pane->SetFocus();
    return;
  }
  CloseAutoHideWindow(FALSE);
  if (m_pAutoHideWnd == nullptr) ShowAutoHideWindow(pane, TRUE);
}

LRESULT CTkDockingPaneHiddenStrip::OnMouseHover(WPARAM, LPARAM lParam) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  // Hovering slides nothing out while another application is in front.
  if (site == nullptr || site->GetSite() == nullptr || !IsTopLevelWindowActive(site->GetSite()->GetSafeHwnd())) return 0;
  CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
  CTkDockingPaneObject* pane = HitTestTab(point);
  if (pane == nullptr || pane == GetShownPane()) return 0;
  CloseAutoHideWindow(FALSE);
  if (m_pAutoHideWnd == nullptr) ShowAutoHideWindow(pane, FALSE);
  return 0;
}

void CTkDockingPaneHiddenStrip::OnMouseMove(UINT, CPoint point) {
  CTkTabPainter* painter = GetTabPainter();
  if (painter == nullptr) return;
  for (const auto& tabs : m_tabGroups) {
    PositionScope scope(painter, tabs->GetStripPosition());
    tabs->HandleMouseMove(m_hWnd, point.x, point.y);
  }
  if (m_hWnd != nullptr && HitTestTab(point) != nullptr) {
    TRACKMOUSEEVENT tme = {sizeof tme, TME_HOVER | TME_LEAVE, m_hWnd, HOVER_DEFAULT};
    ::_TrackMouseEvent(&tme);
  }
}

LRESULT CTkDockingPaneHiddenStrip::OnMouseLeave(WPARAM, LPARAM) {
  OnMouseMove(0, CPoint(-1, -1));
  return 0;
}

void CTkDockingPaneHiddenStrip::OnRButtonDown(UINT, CPoint point) {
  CTkDockingPaneObject* pane = HitTestTab(point);
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (pane == nullptr || site == nullptr || site->GetSite() == nullptr) return;
  site->GetSite()->SendMessage(DockingPaneNotify, kNotifyContextMenu,
                               reinterpret_cast<LPARAM>(static_cast<CTkDockingPaneNode*>(pane)));
}

BOOL CTkDockingPaneHiddenStrip::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  // Nothing a handler throws may leave the window procedure.
  try {
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
  } catch (...) {
    if (pResult != nullptr) *pResult = 0;
    return TRUE;
  }
}

// Copies and persistence.

CTkDockingPaneNode* CTkDockingPaneHiddenStrip::Clone(CTkDockingPaneArrangement* pArrangement, CMapPtrToPtr* pMap,
                                                     DWORD flags) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site == nullptr || pArrangement == nullptr) return nullptr;
  auto* copy = dynamic_cast<CTkDockingPaneHiddenStrip*>(site->CreatePaneNode(kNodeHiddenStrip, pArrangement));
  if (copy == nullptr) return nullptr;
  copy->m_side = m_side;
  copy->m_pDockingSite = site->GetSite();
  std::vector<CTkDockingPaneTabbedContainer*> containers = m_containers;
  for (CTkDockingPaneTabbedContainer* container : containers) {
    if (pMap == nullptr && container->IsEmpty()) continue;
    auto* clone = static_cast<CTkDockingPaneTabbedContainer*>(container->Clone(pArrangement, pMap, flags));
    if (clone != nullptr) copy->AddContainer(clone);
  }
  if (pMap != nullptr) pMap->SetAt(static_cast<CTkDockingPaneNode*>(this), static_cast<CTkDockingPaneNode*>(copy));
  if (pArrangement->m_strips[m_side] == nullptr) pArrangement->m_strips[m_side] = copy;
  return copy;
}

BOOL CTkDockingPaneHiddenStrip::DoPropExchange(CTkPropExchange* pPX) {
  static const int zero = 0;
  CTkDockingPaneNode::DoPropExchange(pPX);
  if (!pPX->IsLoading()) {
    int count = static_cast<int>(m_containers.size());
    pPX->ExchangeValue(L"Direction", kTkInt, &m_side, nullptr);
    pPX->ExchangeValue(L"Panes", kTkInt, &count, nullptr);
    for (int i = 0; i < count; ++i) {
      CString name;
      name.Format(L"Pane-%d", i + 1);
      int id = m_containers[i]->m_persistId;
      pPX->ExchangeValue(name, kTkInt, &id, nullptr);
    }
    return TRUE;
  }
  int side = -1;
  if (!pPX->ExchangeValue(L"Direction", kTkInt, &side, nullptr)) return FALSE;
  // One strip per side.
  if (side < kDockLeft || side > kDockBottom) return FALSE;
  if (m_pArrangement->m_strips[side] != nullptr && m_pArrangement->m_strips[side] != this) return FALSE;
  m_side = side;
  m_pArrangement->m_strips[side] = this;
  int count = 0;
  pPX->ExchangeValue(L"Panes", kTkInt, &count, &zero);
  for (int i = 0; i < count; ++i) {
    CString name;
    name.Format(L"Pane-%d", i + 1);
    int id = 0;
    pPX->ExchangeValue(name, kTkInt, &id, &zero);
    CTkDockingPaneNode* node = m_pArrangement->NodeFromPersistId(id);
    // A strip holds tabbed containers placed nowhere else.
    if (node == nullptr || node->GetType() != kNodeTabbedContainer || node->m_pParent != nullptr) return FALSE;
    AddContainer(static_cast<CTkDockingPaneTabbedContainer*>(node));
  }
  return TRUE;
}
