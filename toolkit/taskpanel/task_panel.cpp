#include "task_panel.h"

#include <algorithm>

#include "draw_helpers.h"
#include "image_manager.h"
#include "resource_loader.h"
#include "tip_context.h"
#include "window_hooks.h"

IMPLEMENT_DYNAMIC(CTkTaskPanel, CWnd)

BEGIN_MESSAGE_MAP(CTkTaskPanel, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_VSCROLL()
ON_WM_MOUSEMOVE()
ON_WM_SETCURSOR()
ON_WM_LBUTTONUP()
ON_WM_TIMER()
ON_WM_SYSCOLORCHANGE()
ON_WM_SETTINGCHANGE()
ON_WM_RBUTTONDOWN()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_KEYDOWN()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEWHEEL()
ON_WM_GETDLGCODE()
ON_WM_CAPTURECHANGED()
ON_WM_DESTROY()
ON_WM_MOUSELEAVE()
ON_MESSAGE(WM_PRINT, OnPrint)
ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

CTkTaskPanel::CTkTaskPanel()
    : m_pGroups(new CTkTaskPanelGroups(this)),
      m_pImageManager(new CTkImageManager),
      m_pDropTargetObject(new CTkTaskPanelDropTarget),
      m_pTipContext(new CTkTipContext) {
  m_pGroups->m_pOwner = this;
  m_hHandCursor = ::LoadCursorW(nullptr, IDC_HAND);
  if (m_hHandCursor == nullptr) m_hHandCursor = GetToolkitResourceLoader()->LoadCursor(9973);
  // Uninitialize only what this panel initialized.
  m_bOleInitialized = SUCCEEDED(::OleInitialize(nullptr));
  SelectPaintTheme(2);
}

CTkTaskPanel::~CTkTaskPanel() {
  if (m_hWnd != nullptr) DestroyWindow();
  ReplaceReference(m_pHotItem, nullptr);
  ReplaceReference(m_pFocusedItem, nullptr);
  CTkTaskPanelItem* active = m_pActiveGroup;
  m_pActiveGroup = nullptr;
  if (active != nullptr) active->InternalRelease();
  m_pPressedItem = m_pDraggedItem = m_pDropTarget = nullptr;
  m_pGroups->SetPanel(nullptr);
  m_pGroups->InternalRelease();
  m_pImageManager->InternalRelease();
  m_pTipContext->InternalRelease();
  delete m_pPainter;
  delete m_pDropTargetObject;
  if (m_bOleInitialized) ::OleUninitialize();
}

BOOL CTkTaskPanel::Create(DWORD style, const RECT& rect, CWnd* pParentWnd, UINT id) {
  LPCWSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
  if (!CWnd::Create(windowClass, nullptr, style | WS_CLIPCHILDREN, rect, pParentWnd, id)) return FALSE;
  // Without OLE on the thread nothing can be dropped here.
  m_pDropTargetObject->Register(this);
  LayoutGroups(FALSE);
  return TRUE;
}

BOOL CTkTaskPanel::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  m_pTipContext->RelayMouseMessage(this, message, wParam, lParam);
  return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

// References.

void CTkTaskPanel::ReplaceReference(CTkTaskPanelItem*& slot, CTkTaskPanelItem* item) {
  if (slot == item) return;
  CTkTaskPanelItem* old = slot;
  slot = item;
  if (item != nullptr) item->InternalAddRef();
  if (old != nullptr) old->InternalRelease();
}

void CTkTaskPanel::OnItemRemoved(CTkTaskPanelItem* item) {
  // Everything pointing at the item, or into it when it is a group, goes
  // before the item does.
  if (item->Holds(m_pActiveGroup)) {
    CTkTaskPanelItem* active = m_pActiveGroup;
    m_pActiveGroup = nullptr;
    active->InternalRelease();
  }
  if (item->Holds(m_pHotItem)) ReplaceReference(m_pHotItem, nullptr);
  if (item->Holds(m_pFocusedItem)) ReplaceReference(m_pFocusedItem, nullptr);
  if (item->Holds(m_pPressedItem)) {
    m_pPressedItem = nullptr;
    if (m_hWnd != nullptr && ::GetCapture() == m_hWnd) ::ReleaseCapture();
  }
  if (item->Holds(m_pDraggedItem)) m_pDraggedItem = nullptr;
  if (item->Holds(m_pDropTarget)) m_pDropTarget = nullptr;
  for (TaskPanelScrollButton* button : {&m_upButton, &m_downButton}) {
    if (item->Holds(button->scrollGroup) || item->Holds(button->captionGroup)) {
      button->scrollGroup = button->captionGroup = nullptr;
      button->rect.SetRectEmpty();
    }
  }
}

BOOL CTkTaskPanel::IsInPanel(const CTkTaskPanelItem* item) const {
  if (item == nullptr || item->m_pPanel != this) return FALSE;
  CTkTaskPanelItems* items = item->GetParentItems();
  if (items == nullptr || items->IndexOf(item) < 0) return FALSE;
  if (items == m_pGroups) return TRUE;
  CTkTaskPanelGroup* group = item->GetGroup();
  return group != nullptr && group != item && IsInPanel(group);
}

// Groups.

CTkTaskPanelGroup* CTkTaskPanel::AddGroup(LPCWSTR caption, int iconIndex, int id) {
  auto* group = new CTkTaskPanelGroup(this);
  group->m_caption = caption;
  group->m_iconIndex = iconIndex;
  group->m_id = id;
  m_pGroups->Add(group);
  return group;
}

CTkTaskPanelGroup* CTkTaskPanel::GetGroupAt(int index) const {
  return static_cast<CTkTaskPanelGroup*>(m_pGroups->GetAt(index));
}

CTkImageManager* CTkTaskPanel::GetImageManager() const {
  return m_pImageManager != nullptr ? m_pImageManager : GetSharedImageManager();
}

LRESULT CTkTaskPanel::SendOwnerNotification(WPARAM code, LPARAM param) {
  if (m_hWnd == nullptr) return 0;
  CWnd* owner = GetOwner();
  if (owner == nullptr || owner->GetSafeHwnd() == nullptr) return 0;
  return ::SendMessageW(owner->GetSafeHwnd(), TaskPanelOwnerMessage, code, param);
}

void CTkTaskPanel::OnItemClicked(CTkTaskPanelItem* item) {
  SendOwnerNotification(kTaskNotifyClick, reinterpret_cast<LPARAM>(item));
}

void CTkTaskPanel::RenameItem(CTkTaskPanelItem* item, LPCWSTR text) {
  if (!IsInPanel(item)) return;
  CTkTaskPanelItemHold hold(item);
  if (SendOwnerNotification(kTaskNotifyRename, reinterpret_cast<LPARAM>(item)) == 0 && IsInPanel(item))
    item->SetCaption(text);
}

// Themes and modes.

void CTkTaskPanel::SelectPaintTheme(int theme) {
  delete m_pPainter;
  m_pPainter = CreateTaskPanelPainter(theme);
  m_theme = theme;
  m_pPainter->RefreshMetrics();
  LayoutGroups(TRUE);
}

void CTkTaskPanel::SetAnimationMode(int mode) {
  m_animationMode = mode;
  if (mode == 0) m_bAnimate = TRUE;
  else if (mode == 1) m_bAnimate = FALSE;
  else m_bAnimate = SystemAnimatesMenus();
}

BOOL CTkTaskPanel::SystemAnimatesMenus() const {
  BOOL animate = FALSE;
  ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &animate, 0);
  return animate;
}

void CTkTaskPanel::SetPanelMode(int mode) {
  m_panelMode = mode;
  LayoutGroups(FALSE);
}

void CTkTaskPanel::SetItemsInColumns(BOOL columns, int columnWidth) {
  m_bItemsInColumns = columns;
  m_columnWidth = columnWidth;
  LayoutGroups(FALSE);
}

int CTkTaskPanel::GetHotTrackStyle() const {
  if (m_hotTrackStyle != 0) return m_hotTrackStyle;
  return m_panelMode == kPanelModeIndependent ? 1 : m_panelMode == kPanelModeList ? 2 : 3;
}

int CTkTaskPanel::GetItemLayout() const {
  if (m_itemLayout != 0) return m_itemLayout;
  return m_panelMode == kPanelModeList ? kLayoutImageAboveText : kLayoutImageBesideText;
}

BOOL CTkTaskPanel::IsGroupExpanded(const CTkTaskPanelGroup* group) const {
  if (m_panelMode == kPanelModeIndependent) return group->m_bExpanded;
  return group == m_pActiveGroup || (group->m_bExpanded && !group->m_bExpandable);
}

void CTkTaskPanel::SetGroupExpanded(CTkTaskPanelGroup* group, BOOL expanded) {
  if (group == nullptr) return;
  CTkTaskPanelItemHold hold(group);
  if (m_panelMode == kPanelModeIndependent) {
    TaskPanelExpandRequest request = {group, expanded};
    if (SendOwnerNotification(kTaskNotifyExpanding, reinterpret_cast<LPARAM>(&request)) == -1) return;
    group->m_bExpanded = expanded;
    group->m_bExpanding = TRUE;
    LayoutGroups(TRUE);
    return;
  }
  if (!expanded) {
    LayoutGroups(TRUE);
    return;
  }
  TaskPanelExpandRequest request = {group, TRUE};
  if (SendOwnerNotification(kTaskNotifyExpanding, reinterpret_cast<LPARAM>(&request)) == -1) return;
  // The owner may have taken the group out while answering.
  if (group->m_pPanel != this) return;
  if (CTkTaskPanelGroup* previous = m_pActiveGroup) {
    if (previous != group && previous->m_bExpandable && m_bGroupsExpandable && previous->m_bEnabled) {
      previous->m_bExpanded = FALSE;
      previous->m_bExpanding = TRUE;
    }
    m_pActiveGroup = nullptr;
    previous->InternalRelease();
  }
  group->InternalAddRef();
  m_pActiveGroup = group;
  group->m_bExpanding = TRUE;
  group->m_bExpanded = TRUE;
  LayoutGroups(TRUE);
}

// Layout and animation.

int CTkTaskPanel::LockLayout(BOOL lock) {
  if (lock) {
    ++m_layoutLockCount;
    return 1;
  }
  if (m_layoutLockCount > 0) --m_layoutLockCount;
  if (m_layoutLockCount > 0) return -1;
  LayoutGroups(TRUE);
  return 0;
}

void CTkTaskPanel::LayoutGroups(BOOL animate) {
  if (m_hWnd == nullptr || m_layoutLockCount > 0) return;
  CRect client;
  GetClientRect(&client);
  CRect margins = m_pPainter->GetPanelMargins(this);
  int spacing = m_pPainter->GetGroupSpacing(this);
  client.left += margins.left;
  client.right -= margins.right;
  {
    CClientDC dc(this);
    for (int i = 0; i < GetGroupCount(); ++i) {
      CTkTaskPanelGroup* group = GetGroupAt(i);
      if (group->IsVisible()) group->CalcClientHeight(&dc, CRect(client.left, 0, client.right, 0));
    }
  }
  int y = margins.top;
  BOOL first = TRUE;
  for (int i = 0; i < GetGroupCount(); ++i) {
    CTkTaskPanelGroup* group = GetGroupAt(i);
    if (!group->IsVisible()) {
      group->UpdateAnimation(0);
      continue;
    }
    if (!first) y += spacing;
    first = FALSE;
    CRect placed = group->OnReposition(CRect(client.left, y, client.right, y), animate);
    y = placed.bottom + m_pPainter->GetGroupOuterMargins(group).bottom;
  }
  m_contentHeight = y + margins.bottom;
  RepositionScrollButtons();
  m_animationStepsLeft = 10;
  BOOL moving = FALSE;
  for (int i = 0; i < GetGroupCount(); ++i) {
    CTkTaskPanelGroup* group = GetGroupAt(i);
    if (group->IsVisible() && group->m_currentRect != group->m_targetRect) moving = TRUE;
  }
  if (moving) {
    if (m_animationTimer == 0) m_animationTimer = SetTimer(kAnimationTimer, 30, nullptr);
  } else if (m_animationTimer != 0) {
    KillTimer(kAnimationTimer);
    m_animationTimer = 0;
  }
  UpdateScrollBar();
  if (!m_bAnimate) AnimateGroups(FALSE);
  Invalidate(FALSE);
}

BOOL CTkTaskPanel::AnimateGroups(BOOL onlyMoving) {
  BOOL stepped = FALSE;
  int steps = std::max(1, m_animationStepsLeft);
  for (int i = 0; i < GetGroupCount(); ++i) {
    CTkTaskPanelGroup* group = GetGroupAt(i);
    if (group == nullptr) break;
    if (onlyMoving && (!group->IsVisible() || group->m_currentRect == group->m_targetRect)) continue;
    group->UpdateAnimation(steps);
    stepped = TRUE;
  }
  RepositionScrollButtons();
  HWND focus = ::GetFocus();
  if (focus != nullptr && ::IsChild(m_hWnd, focus) && CWnd::FromHandlePermanent(focus) != nullptr &&
      CWnd::FromHandlePermanent(focus)->IsKindOf(RUNTIME_CLASS(CTkTaskPanelEditItem)))
    TakeFocus();
  return stepped;
}

void CTkTaskPanel::OnTimer(UINT_PTR id) {
  if (id == kAnimationTimer) {
    BOOL stepped = AnimateGroups(TRUE);
    Invalidate(FALSE);
    if (m_animationStepsLeft > 1) --m_animationStepsLeft;
    if (!stepped && m_animationTimer != 0) {
      KillTimer(kAnimationTimer);
      m_animationTimer = 0;
    }
    return;
  }
  if (id == kHoverExpandTimer) {
    OnHoverExpandTimer();
    return;
  }
  CWnd::Default();
}

void CTkTaskPanel::OnSize(UINT, int, int) { LayoutGroups(m_panelMode == kPanelModeIndependent); }

void CTkTaskPanel::OnSysColorChange() {
  m_pPainter->RefreshMetrics();
  LayoutGroups(TRUE);
}

void CTkTaskPanel::OnSettingChange(UINT, LPCWSTR) {
  if (m_animationMode == 2) m_bAnimate = SystemAnimatesMenus();
  m_pPainter->RefreshMetrics();
  LayoutGroups(TRUE);
}

// Scrolling.

int CTkTaskPanel::GetScrollPosition() const {
  if (!m_bScrollBarShown || m_hWnd == nullptr) return 0;
  return ::GetScrollPos(m_hWnd, SB_VERT);
}

int CTkTaskPanel::GetScrollLimit() const {
  CRect client;
  ::GetClientRect(m_hWnd, &client);
  return std::max(0, m_contentHeight - client.Height());
}

void CTkTaskPanel::SetScrollPosition(int position) {
  if (m_hWnd == nullptr) return;
  ::SetScrollPos(m_hWnd, SB_VERT, position, TRUE);
  AnimateGroups(FALSE);
  Invalidate(FALSE);
}

void CTkTaskPanel::UpdateScrollBar() {
  if (m_bScrollBarUpdating || m_hWnd == nullptr) return;
  m_bScrollBarUpdating = TRUE;
  if (m_reportedContentHeight != m_contentHeight) m_reportedContentHeight = m_contentHeight;
  CRect client;
  GetClientRect(&client);
  BOOL show = client.Height() < m_contentHeight;
  if (show != m_bScrollBarShown) {
    m_bScrollBarShown = show;
    ::ShowScrollBar(m_hWnd, SB_VERT, show);
    GetClientRect(&client);
  }
  if (show) {
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, SB_VERT, &info);
    if (static_cast<int>(info.nPage) != client.Height() || info.nMax + 1 != m_contentHeight || info.nMin != 0) {
      info.fMask = SIF_PAGE | SIF_RANGE;
      info.nPage = static_cast<UINT>(client.Height());
      info.nMin = 0;
      info.nMax = m_contentHeight - 1;
      ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
      AnimateGroups(FALSE);
    }
    ::EnableScrollBar(m_hWnd, SB_VERT, ESB_ENABLE_BOTH);
  }
  m_bScrollBarUpdating = FALSE;
}

void CTkTaskPanel::OnVScroll(UINT code, UINT position, CScrollBar*) {
  CRect client;
  GetClientRect(&client);
  int current = GetScrollPosition();
  int limit = GetScrollLimit();
  int target = current;
  switch (code) {
    case SB_LINEUP: target = std::max(0, current - 6); break;
    case SB_LINEDOWN: target = std::min(limit, current + 6); break;
    case SB_PAGEUP: target = std::max(0, current - client.Height()); break;
    case SB_PAGEDOWN: target = std::min(limit, current + client.Height()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      // The 16-bit position of the message is not enough for tall panels.
      SCROLLINFO info = {};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      ::GetScrollInfo(m_hWnd, SB_VERT, &info);
      target = info.nTrackPos;
      (void)position;
      break;
    }
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = limit; break;
    default: return;
  }
  SetScrollPosition(target);
}

BOOL CTkTaskPanel::OnMouseWheel(UINT, short delta, CPoint) {
  BOOL down = delta <= 0;
  if (m_bScrollBarShown) {
    int position = GetScrollPosition() + (down ? 10 : -10);
    SetScrollPosition(std::max(0, std::min(GetScrollLimit(), position)));
    return TRUE;
  }
  if (m_panelMode != kPanelModeIndependent && m_pActiveGroup != nullptr) {
    for (int row = 0; row < 3 && m_pActiveGroup->CanScrollItems(!down); ++row) {
      int step = std::max(1, m_pActiveGroup->GetColumnsPerRow());
      m_pActiveGroup->ScrollItemsBy(down ? step : -step);
    }
    return TRUE;
  }
  return static_cast<BOOL>(Default());
}

void CTkTaskPanel::ScrollRectIntoView(const CRect& rect) {
  CRect client;
  GetClientRect(&client);
  int position = GetScrollPosition();
  if (rect.bottom > position + client.Height()) {
    SetScrollPosition(std::min(static_cast<int>(rect.top), static_cast<int>(rect.bottom) - client.Height()));
  } else if (rect.top < position) {
    SetScrollPosition(rect.top);
  }
}

void CTkTaskPanel::EnsureItemVisible(CTkTaskPanelItem* item) {
  if (item == nullptr || !item->IsVisible() || m_hWnd == nullptr) return;
  CTkTaskPanelGroup* group = item->GetGroup();
  if (group == nullptr) return;
  if (group == item) {
    ScrollRectIntoView(group->GetCaptionRect());
    return;
  }
  if (!group->IsExpanded()) {
    CTkTaskPanelItemHold hold(item);
    group->SetExpanded(TRUE);
    if (!IsInPanel(item)) return;
  }
  if (m_panelMode != kPanelModeIndependent) {
    CRect target = group->GetTargetRect();
    target.top += group->GetCaptionHeight();
    ScrollRectIntoView(target);
    group->EnsureItemVisibleInGroup(item, TRUE);
    return;
  }
  CRect rect = static_cast<CTkTaskPanelGroupItem*>(item)->GetItemRect();
  rect.OffsetRect(0, group->GetTargetRect().top + group->GetCaptionHeight());
  ScrollRectIntoView(rect);
}

// Painting.

BOOL CTkTaskPanel::OnEraseBkgnd(CDC*) { return TRUE; }

void CTkTaskPanel::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  CTkOffscreenDC dc(paint.GetSafeHdc(), client.left, client.top, client.right, client.bottom);
  int position = GetScrollPosition();
  dc.SetWindowOrg(0, position);
  DrawPanel(&dc);
  dc.SetWindowOrg(0, 0);
}

void CTkTaskPanel::DrawPanel(CDC* pDC) {
  m_pPainter->FillPanelBackground(pDC, this);
  for (int i = 0; i < GetGroupCount(); ++i) {
    CTkTaskPanelGroup* group = GetGroupAt(i);
    if (group->IsVisible()) group->DrawGroup(pDC);
  }
  m_pPainter->DrawScrollButton(pDC, m_upButton);
  m_pPainter->DrawScrollButton(pDC, m_downButton);
}

LRESULT CTkTaskPanel::OnPrint(WPARAM wParam, LPARAM lParam) {
  HDC hDC = reinterpret_cast<HDC>(wParam);
  if (lParam & PRF_NONCLIENT) DefWindowProc(WM_PRINT, wParam, PRF_NONCLIENT);
  CDC* pDC = CDC::FromHandle(hDC);
  POINT origin;
  ::OffsetViewportOrgEx(hDC, 0, -GetScrollPosition(), &origin);
  DrawPanel(pDC);
  ::SetViewportOrgEx(hDC, origin.x, origin.y, nullptr);
  if (lParam & PRF_CHILDREN) {
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
      if (!::IsWindowVisible(child)) continue;
      CRect rect;
      ::GetWindowRect(child, &rect);
      ScreenToClient(&rect);
      POINT saved;
      ::OffsetViewportOrgEx(hDC, rect.left, rect.top, &saved);
      ::SendMessageW(child, WM_PRINT, wParam, lParam | PRF_NONCLIENT);
      ::SetViewportOrgEx(hDC, saved.x, saved.y, nullptr);
    }
  }
  return 0;
}
