// The task panel's hit testing, mouse, scroll buttons, keyboard and focus,
// tool tips and the rename edit.
#include <algorithm>
#include <cstdlib>

#include "draw_helpers.h"
#include "task_panel.h"
#include "tip_context.h"
#include "window_hooks.h"

namespace {

BOOL IsMouseQuiet() {
  CTkMouseTracker* tracker = GetMouseTracker();
  return tracker->IsTrackingOtherBar(nullptr) || tracker->m_suppressCount > 0;
}

}  // namespace

// Hit testing.

TaskPanelScrollButton* CTkTaskPanel::HitTestScrollButton(CPoint point) {
  point.y += GetScrollPosition();
  BOOL classic = m_pPainter->m_bClassicScrollButtons;
  for (TaskPanelScrollButton* button : {&m_downButton, &m_upButton}) {
    if (button->IsVisible(classic) && button->rect.PtInRect(point)) return button;
  }
  return nullptr;
}

CTkTaskPanelGroup* CTkTaskPanel::HitTestGroup(CPoint point, BOOL* onCaption) const {
  if (const_cast<CTkTaskPanel*>(this)->HitTestScrollButton(point) != nullptr) return nullptr;
  point.y += GetScrollPosition();
  for (int i = 0; i < GetGroupCount(); ++i) {
    CTkTaskPanelGroup* group = GetGroupAt(i);
    if (!group->IsVisible()) continue;
    CRect client = group->GetClientRect();
    if (client.PtInRect(point)) {
      if (onCaption != nullptr) *onCaption = FALSE;
      return group;
    }
    if (group->IsCaptionVisible() && group->GetCaptionRect().PtInRect(point)) {
      if (onCaption != nullptr) *onCaption = TRUE;
      return group;
    }
  }
  return nullptr;
}

CTkTaskPanelItem* CTkTaskPanel::HitTestItem(CPoint point, BOOL groupWhenNoItem) const {
  BOOL onCaption = FALSE;
  CTkTaskPanelGroup* group = HitTestGroup(point, &onCaption);
  if (group == nullptr) return nullptr;
  if (onCaption) return group;
  CTkTaskPanelItem* item = group->HitTestItem(CPoint(point.x, point.y + GetScrollPosition()), nullptr);
  if (item != nullptr) return item;
  return groupWhenNoItem ? group : nullptr;
}

// Hot tracking and the mouse.

void CTkTaskPanel::TrackHotItem(CTkTaskPanelItem* item) {
  if (m_pHotItem == item) return;
  ReplaceReference(m_pHotItem, item);
  if (item != nullptr) {
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&track);
  }
  Invalidate(FALSE);
}

void CTkTaskPanel::OnMouseMove(UINT, CPoint point) {
  Default();
  if (IsMouseQuiet()) return;
  CTkTaskPanelItem* item = HitTestItem(point);
  BOOL hot = item != nullptr && item->CanFocus() && IsTopLevelWindowActive(m_hWnd) &&
             (m_pPressedItem == nullptr || m_pPressedItem == item);
  TrackHotItem(hot ? item : nullptr);
  if (m_pPressedItem != nullptr && std::abs(point.x - m_pressPoint.x) + std::abs(point.y - m_pressPoint.y) > 4) {
    CTkTaskPanelItem* pressed = m_pPressedItem;
    if (pressed->GetType() == kTaskItemGroup) DragGroupCaption(static_cast<CTkTaskPanelGroup*>(pressed));
    else DragItem(pressed);
  }
  CPoint document(point.x, point.y + GetScrollPosition());
  for (TaskPanelScrollButton* button : {&m_upButton, &m_downButton}) {
    BOOL overButton = button->IsVisible(m_pPainter->m_bClassicScrollButtons) && button->rect.PtInRect(document);
    if (overButton != button->hot) {
      button->hot = overButton;
      if (overButton) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&track);
      }
      Invalidate(FALSE);
    }
  }
}

void CTkTaskPanel::OnMouseLeave() {
  TrackHotItem(nullptr);
  if (m_upButton.hot || m_downButton.hot) {
    m_upButton.hot = m_downButton.hot = FALSE;
    Invalidate(FALSE);
  }
}

BOOL CTkTaskPanel::OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message) {
  if (m_pHotItem != nullptr && hitTest == HTCLIENT) {
    ::SetCursor(m_hHandCursor);
    return TRUE;
  }
  return static_cast<BOOL>(DefWindowProc(WM_SETCURSOR, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()),
                                         MAKELPARAM(hitTest, message)));
}

void CTkTaskPanel::OnLButtonDown(UINT, CPoint point) {
  if (TaskPanelScrollButton* button = HitTestScrollButton(point)) {
    RunScrollButtonLoop(button);
    return;
  }
  CTkTaskPanelItem* item = HitTestItem(point);
  CTkTaskPanelItemHold hold(item);
  if (item != nullptr && item->CanFocus()) MoveFocusTo(item, FALSE);
  else TakeFocus();
  // The focus notification may have taken the item out.
  if (item == nullptr || !IsInPanel(item) || !item->CanFocus()) return;
  SetCapture();
  m_pressPoint = point;
  m_pPressedItem = item;
  Invalidate(FALSE);
}

void CTkTaskPanel::OnLButtonUp(UINT, CPoint) {
  CTkTaskPanelItem* item = m_pPressedItem;
  if (item == nullptr) return;
  m_pPressedItem = nullptr;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  Invalidate(FALSE);
  if (item != m_pHotItem) return;
  CTkTaskPanelItemHold hold(item);
  if (item->GetType() == kTaskItemGroup) {
    auto* group = static_cast<CTkTaskPanelGroup*>(item);
    SetGroupExpanded(group, !IsGroupExpanded(group));
  } else {
    OnItemClicked(item);
  }
}

void CTkTaskPanel::OnLButtonDblClk(UINT flags, CPoint point) {
  OnLButtonDown(flags, point);
  CTkTaskPanelItem* item = m_pHotItem;
  if (item != nullptr && item == m_pPressedItem && item->GetType() == kTaskItemGroup)
    SendOwnerNotification(kTaskNotifyCaptionDoubleClick, reinterpret_cast<LPARAM>(item));
}

void CTkTaskPanel::OnCaptureChanged(CWnd*) { m_pPressedItem = nullptr; }

void CTkTaskPanel::OnRButtonDown(UINT, CPoint point) {
  CTkTaskPanelItem* item = HitTestItem(point);
  if (item == nullptr || !item->CanFocus()) return;
  CTkTaskPanelItemHold hold(item);
  MoveFocusTo(item, FALSE);
  if (IsInPanel(item)) SendOwnerNotification(kTaskNotifyRightClick, reinterpret_cast<LPARAM>(item));
}

// Scroll buttons of modes 1 and 2.

void CTkTaskPanel::RepositionScrollButtons() {
  m_upButton.rect.SetRectEmpty();
  m_downButton.rect.SetRectEmpty();
  m_upButton.scrollGroup = m_downButton.scrollGroup = nullptr;
  m_upButton.captionGroup = m_downButton.captionGroup = nullptr;
  CTkTaskPanelGroup* active = m_pActiveGroup;
  if (m_panelMode == kPanelModeIndependent || active == nullptr || !active->IsVisible() || m_hWnd == nullptr) return;
  m_upButton.scrollGroup = m_downButton.scrollGroup = active;
  if (m_pPainter->m_bClassicScrollButtons) {
    CRect client;
    GetClientRect(&client);
    client.bottom = std::max(static_cast<int>(client.bottom), m_contentHeight);
    CRect margins = m_pPainter->GetPanelMargins(this);
    int side = active->GetCaptionHeight();
    int right = client.right - m_pPainter->GetGroupOuterMargins(active).right - margins.right;
    CRect caption = active->GetCaptionRect();
    m_upButton.rect = CRect(right - side, caption.top, right, caption.top + side);
    m_upButton.captionGroup = active;
    int next = m_pGroups->NextVisibleIndex(m_pGroups->IndexOf(active), 1);
    if (CTkTaskPanelGroup* below = GetGroupAt(next)) {
      CRect nextCaption = below->GetCaptionRect();
      m_downButton.rect = CRect(right - side, nextCaption.top, right, nextCaption.top + side);
      m_downButton.captionGroup = below;
    } else {
      int bottom = client.bottom - margins.bottom;
      m_downButton.rect = CRect(right - side, bottom - side, right, bottom);
    }
  } else {
    CRect inside = active->GetClientRect();
    inside.DeflateRect(4, 4);
    m_upButton.rect = CRect(inside.right - 16, inside.top, inside.right, inside.top + 16);
    m_downButton.rect = CRect(inside.right - 16, inside.bottom - 16, inside.right, inside.bottom);
  }
  m_upButton.enabled = active->CanScrollItems(TRUE);
  m_downButton.enabled = active->CanScrollItems(FALSE);
}

void CTkTaskPanel::ScrollActiveGroupRow(TaskPanelScrollButton* button) {
  CTkTaskPanelGroup* group = button->scrollGroup;
  if (group == nullptr) return;
  int step = std::max(1, group->GetColumnsPerRow());
  group->ScrollItemsBy(button->direction == 1 ? -step : step);
  Invalidate(FALSE);
}

void CTkTaskPanel::RunScrollButtonLoop(TaskPanelScrollButton* button) {
  if (!button->enabled) return;
  button->pressed = TRUE;
  SetCapture();
  ScrollActiveGroupRow(button);
  SetTimer(kScrollButtonTimer, 500, nullptr);
  BOOL firstTick = TRUE;
  while (::GetCapture() == m_hWnd && button->enabled) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessageW(&msg);
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_TIMER && msg.hwnd == m_hWnd && msg.wParam == kScrollButtonTimer) {
      ScrollActiveGroupRow(button);
      if (firstTick) {
        firstTick = FALSE;
        SetTimer(kScrollButtonTimer, 50, nullptr);
      }
      continue;
    }
    if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) break;
    if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
        (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST))
      continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  KillTimer(kScrollButtonTimer);
  button->pressed = FALSE;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  Invalidate(FALSE);
}

// Keyboard and focus.

BOOL CTkTaskPanel::IsFocusRectShown() const {
  return m_bFocusRectShown && m_hWnd != nullptr && ::GetFocus() == m_hWnd;
}

void CTkTaskPanel::TakeFocus() {
  if (!m_bTakesFocus || m_hWnd == nullptr || ::GetFocus() == m_hWnd) return;
  m_bFocusSetInternally = TRUE;
  SetFocus();
  m_bFocusSetInternally = FALSE;
}

void CTkTaskPanel::MoveFocusTo(CTkTaskPanelItem* item, BOOL byKeyboard) {
  if (byKeyboard) m_bFocusRectShown = m_bTakesFocus;
  TakeFocus();
  if (m_pFocusedItem == item) return;
  CTkTaskPanelItemHold hold(item);
  if (item != nullptr && m_bSelectOnFocus && item->GetType() == kTaskItemLink && !m_bSelectionIsFocus) {
    if (CTkTaskPanelGroup* group = item->GetGroup()) group->SelectItem(item);
  }
  ReplaceReference(m_pFocusedItem, item);
  if (m_hWnd == nullptr) return;
  EnsureItemVisible(item);
  Invalidate(FALSE);
  SendOwnerNotification(kTaskNotifyFocusChanged, 0);
  if (item != nullptr && IsInPanel(item))
    NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, GetAccessibleChildId(item));
}

CTkTaskPanelItem* CTkTaskPanel::NextFocusStop(CTkTaskPanelItem* from, BOOL forward, BOOL byGroup, BOOL byRow) const {
  CTkTaskPanelItem* current = from;
  // Every step moves on, so the walk ends after at most every item once.
  for (int guard = 0; guard < 100000; ++guard) {
    CTkTaskPanelItem* candidate = nullptr;
    if (forward) {
      if (current == nullptr) {
        candidate = m_pGroups->GetFirstVisible();
      } else if (current->GetType() == kTaskItemGroup) {
        auto* group = static_cast<CTkTaskPanelGroup*>(current);
        candidate = group->GetItems()->GetFirstVisible();
        if (candidate == nullptr) candidate = m_pGroups->GetAt(m_pGroups->NextVisibleIndex(group->GetIndex(), 1));
      } else {
        CTkTaskPanelGroup* group = current->GetGroup();
        if (group == nullptr) return nullptr;
        int step = byRow ? std::max(1, group->GetColumnsPerRow()) : 1;
        if (!byGroup) candidate = group->GetItems()->GetAt(group->GetItems()->NextVisibleIndex(current->GetIndex(), step));
        if (candidate == nullptr) candidate = m_pGroups->GetAt(m_pGroups->NextVisibleIndex(group->GetIndex(), 1));
      }
    } else {
      if (current == nullptr) {
        auto* last = static_cast<CTkTaskPanelGroup*>(m_pGroups->GetLastVisible());
        candidate = last != nullptr && last->GetItems()->GetLastVisible() != nullptr ? last->GetItems()->GetLastVisible()
                                                                                     : last;
      } else if (current->GetType() == kTaskItemGroup) {
        auto* previous = static_cast<CTkTaskPanelGroup*>(
            m_pGroups->GetAt(m_pGroups->NextVisibleIndex(current->GetIndex(), -1)));
        if (previous != nullptr) {
          candidate = previous->GetItems()->GetLastVisible();
          if (candidate == nullptr) candidate = previous;
        }
      } else {
        CTkTaskPanelGroup* group = current->GetGroup();
        if (group == nullptr) return nullptr;
        int step = byRow ? std::max(1, group->GetColumnsPerRow()) : 1;
        if (!byGroup) candidate = group->GetItems()->GetAt(group->GetItems()->NextVisibleIndex(current->GetIndex(), -step));
        if (candidate == nullptr) candidate = group;
      }
    }
    if (candidate == nullptr) return nullptr;
    BOOL hiddenLink = candidate->GetType() == kTaskItemLink && candidate->GetGroup() != nullptr &&
                      !candidate->GetGroup()->IsExpanded();
    if (candidate->CanFocus() && !hiddenLink) return candidate;
    current = candidate;
  }
  return nullptr;
}

CWnd* CTkTaskPanel::GetNextTabWindow(BOOL previous) const {
  HWND parent = ::GetParent(m_hWnd);
  if (parent == nullptr) return nullptr;
  HWND next = ::GetNextDlgTabItem(parent, m_hWnd, previous);
  return next == nullptr || next == m_hWnd ? nullptr : CWnd::FromHandle(next);
}

UINT CTkTaskPanel::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS; }

void CTkTaskPanel::OnKeyDown(UINT key, UINT, UINT) {
  MirrorArrowKey(m_hWnd, key);
  BOOL shift = ::GetKeyState(VK_SHIFT) < 0;
  switch (key) {
    case VK_TAB: {
      CTkTaskPanelItem* next = NextFocusStop(m_pFocusedItem, !shift, FALSE, FALSE);
      if (next != nullptr) {
        MoveFocusTo(next, TRUE);
      } else if (CWnd* window = GetNextTabWindow(shift)) {
        window->SetFocus();
      }
      return;
    }
    case VK_RETURN:
    case VK_SPACE: {
      CTkTaskPanelItem* item = m_pFocusedItem;
      if (item == nullptr || !item->CanFocus()) return;
      CTkTaskPanelItemHold hold(item);
      if (item->GetType() == kTaskItemGroup) {
        auto* group = static_cast<CTkTaskPanelGroup*>(item);
        SetGroupExpanded(group, !IsGroupExpanded(group));
      } else if (item->GetType() == kTaskItemLink) {
        OnItemClicked(item);
      }
      return;
    }
    case VK_HOME:
    case VK_END: {
      if (m_pFocusedItem == nullptr || m_pFocusedItem->GetParentItems() == nullptr) return;
      CTkTaskPanelItems* items = m_pFocusedItem->GetParentItems();
      CTkTaskPanelItem* target = key == VK_HOME ? items->GetFirstVisible() : items->GetLastVisible();
      if (target != nullptr && target->CanFocus()) MoveFocusTo(target, TRUE);
      return;
    }
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT: {
      BOOL forward = key == VK_DOWN || key == VK_RIGHT;
      if (m_panelMode != kPanelModeIndependent && ::GetKeyState(VK_CONTROL) < 0 && m_pActiveGroup != nullptr) {
        auto* next = static_cast<CTkTaskPanelGroup*>(
            m_pGroups->GetAt(m_pGroups->NextVisibleIndex(m_pActiveGroup->GetIndex(), forward ? 1 : -1)));
        if (next != nullptr && next->CanFocus()) {
          CTkTaskPanelItemHold hold(next);
          SetGroupExpanded(next, TRUE);
          if (IsInPanel(next)) MoveFocusTo(next, FALSE);
        }
        return;
      }
      CTkTaskPanelItem* next = NextFocusStop(m_pFocusedItem, forward, FALSE, key == VK_UP || key == VK_DOWN);
      if (next != nullptr) MoveFocusTo(next, TRUE);
      return;
    }
    default:
      Default();
  }
}

void CTkTaskPanel::OnSetFocus(CWnd* pOldWnd) {
  Default();
  if (!m_bFocusSetInternally && pOldWnd != nullptr) {
    BOOL shift = ::GetKeyState(VK_SHIFT) < 0;
    HWND parent = ::GetParent(m_hWnd);
    HWND before = parent != nullptr ? ::GetNextDlgTabItem(parent, m_hWnd, !shift) : nullptr;
    if (before != nullptr && before == pOldWnd->GetSafeHwnd())
      MoveFocusTo(NextFocusStop(nullptr, !shift, FALSE, FALSE), TRUE);
  }
  Invalidate(FALSE);
}

void CTkTaskPanel::OnKillFocus(CWnd*) {
  Default();
  m_bFocusRectShown = FALSE;
  Invalidate(FALSE);
}

// Tool tips.

INT_PTR CTkTaskPanel::OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const {
  INT_PTR hit = CWnd::OnToolHitTest(point, pTI);
  if (hit != -1) return hit;
  if (IsMouseQuiet() || m_pHotItem == nullptr || m_pHotItem->GetTooltip().IsEmpty()) return -1;
  CRect rect = m_pHotItem->GetHitRect();
  FillToolInfo(pTI, m_hWnd, rect.left, rect.top, rect.right, rect.bottom, static_cast<UINT_PTR>(m_pHotItem->GetId()),
               m_pHotItem->GetTooltip(), m_pHotItem->GetCaption(), m_pHotItem->GetTooltip());
  return m_pHotItem->GetId();
}

// The rename edit.

BOOL CTkTaskPanel::EditItemCaption(CTkTaskPanelItem* item) {
  if (m_hWnd == nullptr || !IsInPanel(item)) return FALSE;
  CRect rect = item->GetHitRect();
  if (rect.IsRectEmpty()) return FALSE;
  auto* edit = new CTkTaskPanelEditItem(this, item);
  if (!edit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, this, 0)) {
    delete edit;
    return FALSE;
  }
  edit->SetFont(CFont::FromHandle(static_cast<HFONT>(m_pPainter->m_itemFont.GetSafeHandle())));
  edit->SetWindowText(item->GetCaption());
  edit->SetSel(0, -1);
  edit->SetFocus();
  return TRUE;
}

IMPLEMENT_DYNAMIC(CTkTaskPanelEditItem, CEdit)

BEGIN_MESSAGE_MAP(CTkTaskPanelEditItem, CEdit)
ON_WM_GETDLGCODE()
ON_WM_CHAR()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CTkTaskPanelEditItem::CTkTaskPanelEditItem(CTkTaskPanel* panel, CTkTaskPanelItem* item)
    : m_pItem(item), m_pPanel(panel) {
  m_pItem->InternalAddRef();
}

CTkTaskPanelEditItem::~CTkTaskPanelEditItem() { m_pItem->InternalRelease(); }

void CTkTaskPanelEditItem::OnChar(UINT ch, UINT, UINT) {
  if (ch == VK_ESCAPE || ch == VK_RETURN) {
    m_bCancelled = ch == VK_ESCAPE;
    Finish();
    return;
  }
  Default();
}

void CTkTaskPanelEditItem::OnKillFocus(CWnd*) {
  Default();
  Finish();
}

void CTkTaskPanelEditItem::Finish() {
  if (m_bFinished) return;
  m_bFinished = TRUE;
  PostMessage(WM_CLOSE);
  if (m_bCancelled) return;
  CString text;
  GetWindowText(text);
  if (!text.IsEmpty()) m_pPanel->RenameItem(m_pItem, text);
}
