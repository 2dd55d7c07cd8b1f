#include "task_panel_items.h"

#include <algorithm>

#include "task_panel.h"

IMPLEMENT_DYNCREATE(CTkTaskPanelItems, CCmdTarget)

CTkTaskPanelItems::~CTkTaskPanelItems() {
  // The panel is gone or going: no references to drop there.
  for (CTkTaskPanelItem* item : m_items) {
    item->m_pParentItems = nullptr;
    item->InternalRelease();
  }
}

CRuntimeClass* CTkTaskPanelItems::GetDefaultItemClass() const { return RUNTIME_CLASS(CTkTaskPanelItem); }
CRuntimeClass* CTkTaskPanelGroups::GetDefaultItemClass() const { return RUNTIME_CLASS(CTkTaskPanelGroup); }
CRuntimeClass* CTkTaskPanelGroupItems::GetDefaultItemClass() const { return RUNTIME_CLASS(CTkTaskPanelGroupItem); }

void CTkTaskPanelItems::Relayout(BOOL animate) const {
  if (m_pPanel != nullptr) m_pPanel->LayoutGroups(animate);
}

CTkTaskPanelItem* CTkTaskPanelItems::InsertAt(int index, CTkTaskPanelItem* item) {
  index = std::max(0, std::min(index, GetCount()));
  m_items.insert(m_items.begin() + index, item);
  item->m_pParentItems = this;
  item->m_pPanel = m_pPanel;
  if (item->GetType() == kTaskItemGroup) static_cast<CTkTaskPanelGroup*>(item)->GetItems()->SetPanel(m_pPanel);
  Relayout(TRUE);
  return item;
}

int CTkTaskPanelItems::IndexOf(const CTkTaskPanelItem* item) const {
  auto it = std::find(m_items.begin(), m_items.end(), item);
  return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void CTkTaskPanelItems::Move(CTkTaskPanelItem* item, int newIndex) {
  int index = IndexOf(item);
  if (index < 0 || index == newIndex) return;
  m_items.erase(m_items.begin() + index);
  newIndex = std::max(0, std::min(newIndex, GetCount()));
  m_items.insert(m_items.begin() + newIndex, item);
  Relayout(FALSE);
}

void CTkTaskPanelItems::Release(CTkTaskPanelItem* item) const {
  if (m_pPanel != nullptr) m_pPanel->OnItemRemoved(item);
  // An owner may keep its own reference: the item no longer asks the panel.
  item->m_pParentItems = nullptr;
  item->m_pPanel = nullptr;
  if (item->GetType() == kTaskItemGroup) static_cast<CTkTaskPanelGroup*>(item)->GetItems()->SetPanel(nullptr);
  item->InternalRelease();
}

void CTkTaskPanelItems::RemoveAt(int index) {
  if (index < 0 || index >= GetCount()) return;
  CTkTaskPanelItem* item = m_items[static_cast<size_t>(index)];
  m_items.erase(m_items.begin() + index);
  Release(item);
  Relayout(TRUE);
}

void CTkTaskPanelItems::RemoveAll(BOOL relayout) {
  std::vector<CTkTaskPanelItem*> items;
  items.swap(m_items);
  for (CTkTaskPanelItem* item : items) Release(item);
  if (relayout) Relayout(TRUE);
}

CTkTaskPanelItem* CTkTaskPanelItems::GetAt(int index) const {
  return index >= 0 && index < GetCount() ? m_items[static_cast<size_t>(index)] : nullptr;
}

int CTkTaskPanelItems::NextVisibleIndex(int index, int step) const {
  if (step == 0) return -1;
  for (index += step; index >= 0 && index < GetCount(); index += step) {
    if (m_items[static_cast<size_t>(index)]->IsVisible()) return index;
  }
  return -1;
}

void CTkTaskPanelItems::SetPanel(CTkTaskPanel* panel) {
  m_pPanel = panel;
  for (CTkTaskPanelItem* item : m_items) {
    item->m_pPanel = panel;
    if (item->GetType() == kTaskItemGroup) static_cast<CTkTaskPanelGroup*>(item)->GetItems()->SetPanel(panel);
  }
}
