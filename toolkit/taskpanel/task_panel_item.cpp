#include "task_panel_item.h"

#include "image_manager.h"
#include "task_panel.h"

IMPLEMENT_DYNCREATE(CTkTaskPanelItem, CCmdTarget)

BOOL CTkTaskPanelItem::CanFocus() const {
  return (m_type == kTaskItemGroup || m_type == kTaskItemLink) && m_bEnabled && m_bVisible;
}

CTkTaskPanelGroup* CTkTaskPanelItem::GetGroup() const {
  // A plain item answers for itself; only groups and group items say more.
  return m_type == kTaskItemGroup ? static_cast<CTkTaskPanelGroup*>(const_cast<CTkTaskPanelItem*>(this)) : nullptr;
}

BOOL CTkTaskPanelItem::IsHot() const { return m_pPanel != nullptr && m_pPanel->GetHotItem() == this && m_bEnabled; }
BOOL CTkTaskPanelItem::IsPressed() const { return m_pPanel != nullptr && m_pPanel->GetPressedItem() == this; }
BOOL CTkTaskPanelItem::IsDragged() const { return m_pPanel != nullptr && m_pPanel->GetDraggedItem() == this; }
BOOL CTkTaskPanelItem::IsDropTarget() const { return m_pPanel != nullptr && m_pPanel->GetDropTarget() == this; }
BOOL CTkTaskPanelItem::IsFocused() const {
  return m_pPanel != nullptr && m_pPanel->GetFocusedItem() == this && m_bEnabled;
}

void CTkTaskPanelItem::SetCaption(LPCWSTR text) {
  if (m_caption == text) return;
  m_caption = text;
  if (m_pPanel != nullptr) m_pPanel->LayoutGroups(TRUE);
}

void CTkTaskPanelItem::SetIconIndex(int index) {
  if (m_iconIndex == index) return;
  m_iconIndex = index;
  if (m_pPanel != nullptr) m_pPanel->LayoutGroups(TRUE);
}

void CTkTaskPanelItem::SetEnabled(BOOL enabled) {
  if (m_bEnabled == enabled) return;
  m_bEnabled = enabled;
  Redraw();
}

void CTkTaskPanelItem::SetVisible(BOOL visible) {
  if (m_bVisible == visible) return;
  m_bVisible = visible;
  if (m_pPanel != nullptr) m_pPanel->LayoutGroups(TRUE);
}

void CTkTaskPanelItem::Redraw() const {
  if (m_pPanel != nullptr && m_pPanel->GetSafeHwnd() != nullptr && !m_pPanel->IsLayoutLocked())
    m_pPanel->Invalidate(FALSE);
}

CTkImageIcon* CTkTaskPanelItem::GetImage(int width) const {
  if (m_iconIndex < 0 || m_pPanel == nullptr) return nullptr;
  return m_pPanel->GetImageManager()->GetImage(static_cast<UINT>(m_iconIndex), width);
}

int CTkTaskPanelItem::GetIndex() const { return m_pParentItems != nullptr ? m_pParentItems->IndexOf(this) : -1; }

void CTkTaskPanelItem::Remove() {
  if (m_pParentItems != nullptr) m_pParentItems->Remove(this);
}

BOOL CTkTaskPanelItem::CanAcceptDrop() const {
  if (!m_bAllowDrop) return FALSE;
  CTkTaskPanelGroup* group = GetGroup();
  if (group != nullptr && !group->m_bAllowDrop) return FALSE;
  return m_pPanel != nullptr && m_pPanel->m_bAcceptsDrops;
}

int CTkTaskPanelItem::GetDragFlags() const {
  int flags = m_allowDrag;
  if (flags == 1) {
    CTkTaskPanelGroup* group = GetGroup();
    if (group != nullptr) flags = group->m_allowDrag;
  }
  if (flags == 1) flags = m_pPanel != nullptr ? m_pPanel->m_dragFlags : 1;
  return flags == 1 ? kTaskPanelDefaultDragFlags : flags;
}

BOOL CTkTaskPanelItem::Holds(const CTkTaskPanelItem* other) const {
  if (other == nullptr) return FALSE;
  if (other == this) return TRUE;
  return m_type == kTaskItemGroup && other->GetGroup() == this;
}
