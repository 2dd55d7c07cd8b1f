// The task panel's drag and drop: items dragged with OLE inside the panel,
// to other panels and, as text, to other programs; drops onto items and
// groups; opening a collapsed group a drag hovers over; and group captions
// dragged to reorder the groups.
#include "ole_data_source.h"
#include "task_panel.h"

namespace {

// Drag flag bits: copy and move within the item's own group, anywhere in
// the panel, and out of the panel.
const int kCopyInGroup = 0x02;
const int kCopyInPanel = 0x04;
const int kCopyOut = 0x08;
const int kMoveInGroup = 0x20;
const int kMoveInPanel = 0x40;
const int kMoveOut = 0x80;
const int kAnyCopy = kCopyInGroup | kCopyInPanel | kCopyOut;
const int kAnyMove = kMoveInGroup | kMoveInPanel | kMoveOut;

UINT MouseHoverTime() {
  UINT time = 0;
  if (!::SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &time, 0) || time == 0) time = 500;
  return time;
}

}  // namespace

// Dragging an item.

void CTkTaskPanel::DragItem(CTkTaskPanelItem* item) {
  if (m_hWnd == nullptr || !IsInPanel(item)) return;
  int flags = item->GetDragFlags();
  if (flags == 0) return;
  CTkTaskPanelItemHold hold(item);
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  m_pPressedItem = nullptr;
  if (SendOwnerNotification(kTaskNotifyStartDrag, reinterpret_cast<LPARAM>(item)) == -1) return;
  if (!IsInPanel(item)) return;

  auto* source = new COleDataSource;
  BOOL withText = (flags & (kCopyOut | kMoveOut)) != 0;
  BOOL put = FALSE;
  if (item->IsKindOf(RUNTIME_CLASS(CTkTaskPanelGroupItem))) {
    put = static_cast<CTkTaskPanelGroupItem*>(item)->PutOnDataSource(source, withText);
  } else if (HGLOBAL data = item->CopyToGlobalMemory()) {
    source->CacheGlobalData(GetTaskPanelClipboardFormat(), data);
    put = TRUE;
  }
  if (!put) {
    source->InternalRelease();
    return;
  }
  m_pDraggedItem = item;
  Invalidate(FALSE);
  DROPEFFECT allowed = ((flags & kAnyMove) != 0 ? DROPEFFECT_MOVE : 0) | ((flags & kAnyCopy) != 0 ? DROPEFFECT_COPY : 0);
  DROPEFFECT effect = source->DoDragDrop(allowed);
  source->InternalRelease();
  // The copy is in its place already: the original goes last.
  if (effect == DROPEFFECT_MOVE && (allowed & DROPEFFECT_MOVE) != 0 && IsInPanel(item)) item->Remove();
  m_pDraggedItem = nullptr;
  SetDropTarget(nullptr);
  StopHoverExpand();
}

// Dropping.

void CTkTaskPanel::SetDropTarget(CTkTaskPanelItem* target) {
  if (m_pDropTarget == target) return;
  m_pDropTarget = target;
  // A new target is hovered from its start.
  StopHoverExpand();
  if (m_hWnd != nullptr) Invalidate(FALSE);
}

void CTkTaskPanel::StopHoverExpand() {
  if (!m_bHoverExpandPending) return;
  m_bHoverExpandPending = FALSE;
  if (m_hWnd != nullptr) KillTimer(kHoverExpandTimer);
}

DROPEFFECT CTkTaskPanel::OnDragOverPanel(COleDataObject* data, DWORD keyState, CPoint point) {
  DROPEFFECT effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  BOOL onCaption = FALSE;
  CTkTaskPanelGroup* group = HitTestGroup(point, &onCaption);
  // Text lets the data leave the panel it came from: without it only that
  // panel takes it.
  if (data == nullptr || !data->IsDataAvailable(GetTaskPanelClipboardFormat()) ||
      (!data->IsDataAvailable(CF_TEXT) && m_pDraggedItem == nullptr))
    group = nullptr;

  if (m_pDraggedItem != nullptr) {
    int flags = m_pDraggedItem->GetDragFlags();
    if ((flags & (kMoveInGroup | kMoveInPanel)) == 0) effect = DROPEFFECT_COPY;
    if ((flags & (kCopyInGroup | kCopyInPanel)) == 0) effect &= ~DROPEFFECT_COPY;
    if (group != nullptr && group != m_pDraggedItem->GetGroup()) {
      if ((flags & kMoveInGroup) != 0) effect &= ~DROPEFFECT_MOVE;
      if ((flags & kCopyInGroup) != 0) effect &= ~DROPEFFECT_COPY;
    }
    if ((flags & (kMoveInPanel | kMoveInGroup)) == 0) effect &= ~DROPEFFECT_MOVE;
    if ((flags & (kCopyInPanel | kCopyInGroup)) == 0) effect &= ~DROPEFFECT_COPY;
    if (effect == DROPEFFECT_NONE) group = nullptr;
  }

  // A group that takes no drops is no target, nor is a panel that takes
  // none.
  CTkTaskPanelItem* target = group != nullptr && group->CanAcceptDrop() ? group : nullptr;
  if (target != nullptr && !onCaption) {
    CRect rect;
    CTkTaskPanelItem* item = group->HitTestItem(CPoint(point.x, point.y + GetScrollPosition()), &rect);
    if (item != nullptr && item->CanAcceptDrop()) {
      target = item;
      // The insertion line goes above the target: on an item's lower half
      // that is the line above the next one.
      BOOL lowerHalf = (point.y + GetScrollPosition() - rect.top) * 2 >= rect.Height();
      if (!m_pPainter->m_bInvertedDropMarker && lowerHalf) {
        CTkTaskPanelItems* items = group->GetItems();
        if (CTkTaskPanelItem* next = items->GetAt(items->NextVisibleIndex(item->GetIndex(), 1))) target = next;
      }
    }
  }

  SetDropTarget(target);
  BOOL collapsedGroup = target != nullptr && target->GetType() == kTaskItemGroup &&
                        !IsGroupExpanded(static_cast<CTkTaskPanelGroup*>(target));
  if (collapsedGroup && !m_bHoverExpandPending && m_hWnd != nullptr) {
    SetTimer(kHoverExpandTimer, MouseHoverTime(), nullptr);
    m_bHoverExpandPending = TRUE;
  } else if (!collapsedGroup) {
    StopHoverExpand();
  }

  if (target == nullptr) return DROPEFFECT_NONE;
  if ((effect & DROPEFFECT_COPY) != 0 && ((keyState & MK_CONTROL) != 0 || (effect & DROPEFFECT_MOVE) == 0))
    return DROPEFFECT_COPY;
  return effect & DROPEFFECT_MOVE;
}

void CTkTaskPanel::OnHoverExpandTimer() {
  BOOL pending = m_bHoverExpandPending;
  StopHoverExpand();
  KillTimer(kHoverExpandTimer);
  CTkTaskPanelItem* target = m_pDropTarget;
  if (pending && target != nullptr && target->GetType() == kTaskItemGroup)
    static_cast<CTkTaskPanelGroup*>(target)->SetExpanded(TRUE);
}

BOOL CTkTaskPanel::OnDropOnPanel(COleDataObject* data, DROPEFFECT dropEffect, CPoint) {
  CTkTaskPanelItem* target = m_pDropTarget;
  SetDropTarget(nullptr);
  StopHoverExpand();
  if (target == nullptr) return FALSE;
  if (dropEffect != DROPEFFECT_COPY && dropEffect != DROPEFFECT_MOVE) return TRUE;
  if (data == nullptr || !data->IsDataAvailable(GetTaskPanelClipboardFormat())) return FALSE;

  BOOL intoGroup = target->GetType() == kTaskItemGroup;
  CTkTaskPanelItems* items =
      intoGroup ? static_cast<CTkTaskPanelGroup*>(target)->GetItems() : target->GetParentItems();
  if (items == nullptr) return FALSE;
  // Only the kind of item the list holds: never a group inside a group.
  CTkTaskPanelItem* item = CTkTaskPanelItem::CreateFromDataObject(data, items->GetDefaultItemClass());
  if (item == nullptr) return FALSE;
  int index = items->GetCount();
  if (!intoGroup) {
    index = target->GetIndex();
    if (m_pPainter->m_bInvertedDropMarker) {
      // The inverted target is replaced from the side the dragged item
      // comes from.
      BOOL sameList = m_pDraggedItem != nullptr && m_pDraggedItem->GetParentItems() == items;
      if (!sameList || m_pDraggedItem->GetIndex() <= index) ++index;
    }
  }
  items->InsertAt(index, item);
  CTkTaskPanelItemHold hold(item);
  if (item->CanFocus()) MoveFocusTo(item, FALSE);
  if (IsInPanel(item)) SendOwnerNotification(kTaskNotifyDrop, reinterpret_cast<LPARAM>(item));
  return TRUE;
}

DROPEFFECT CTkTaskPanelDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
                                              CPoint point) {
  if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CTkTaskPanel))) return DROPEFFECT_NONE;
  return static_cast<CTkTaskPanel*>(pWnd)->OnDragOverPanel(pDataObject, dwKeyState, point);
}

void CTkTaskPanelDropTarget::OnDragLeave(CWnd* pWnd) {
  if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CTkTaskPanel))) return;
  static_cast<CTkTaskPanel*>(pWnd)->OnDragOverPanel(nullptr, 0, CPoint(-1, -1));
}

BOOL CTkTaskPanelDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) {
  if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CTkTaskPanel))) return FALSE;
  return static_cast<CTkTaskPanel*>(pWnd)->OnDropOnPanel(pDataObject, dropEffect, point);
}

void CTkTaskPanel::OnDestroy() {
  m_pDropTargetObject->Revoke();
  StopHoverExpand();
  CWnd::OnDestroy();
}

// Reordering groups by their captions.

void CTkTaskPanel::DragGroupCaption(CTkTaskPanelGroup* group) {
  if (!IsInPanel(group) || group->GetDragFlags() == 0) return;
  CTkTaskPanelItemHold hold(group);
  if (::GetCapture() != m_hWnd) SetCapture();
  ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENS));
  m_pDraggedItem = group;
  Invalidate(FALSE);
  // The group leaving the panel ends the loop (it clears the dragged item).
  while (::GetCapture() == m_hWnd && m_pDraggedItem == group) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessageW(&msg);
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) break;
    if (msg.message == WM_MOUSEMOVE) {
      CPoint point(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      if (msg.hwnd != m_hWnd) ::MapWindowPoints(msg.hwnd, m_hWnd, &point, 1);
      BOOL onCaption = FALSE;
      CTkTaskPanelGroup* over = HitTestGroup(point, &onCaption);
      if (over != nullptr && over != group && onCaption) m_pGroups->Move(group, over->GetIndex());
      continue;
    }
    if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
        (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST))
      continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  m_pDraggedItem = nullptr;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  Invalidate(FALSE);
}
