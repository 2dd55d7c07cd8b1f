// The ordered, owning lists of task panel items: the panel's groups and
// each group's items. Every change lays the panel out again.
#pragma once

#include <vector>

#include "framework.h"

class CTkPropExchange;
class CTkTaskPanel;
class CTkTaskPanelItem;

class CTkTaskPanelItems : public CCmdTarget {
  DECLARE_DYNCREATE(CTkTaskPanelItems)
 public:
  explicit CTkTaskPanelItems(CTkTaskPanel* panel = nullptr) : m_pPanel(panel) {}
  ~CTkTaskPanelItems() override;

  // The class a loaded entry without a class of its own gets; also the base
  // every loaded entry must derive from.
  virtual CRuntimeClass* GetDefaultItemClass() const;

  // Takes over the caller's reference; index is clamped to the list.
  CTkTaskPanelItem* InsertAt(int index, CTkTaskPanelItem* item);
  CTkTaskPanelItem* Add(CTkTaskPanelItem* item) { return InsertAt(GetCount(), item); }
  int IndexOf(const CTkTaskPanelItem* item) const;
  void Move(CTkTaskPanelItem* item, int newIndex);
  void RemoveAt(int index);
  void Remove(CTkTaskPanelItem* item) { RemoveAt(IndexOf(item)); }
  void RemoveAll(BOOL relayout = TRUE);

  int GetCount() const { return static_cast<int>(m_items.size()); }
  CTkTaskPanelItem* GetAt(int index) const;
  // index + step, + 2 step... up to the first visible item; -1 off the ends.
  int NextVisibleIndex(int index, int step) const;
  CTkTaskPanelItem* GetFirstVisible() const { return GetAt(NextVisibleIndex(-1, 1)); }
  CTkTaskPanelItem* GetLastVisible() const { return GetAt(NextVisibleIndex(GetCount(), -1)); }

  // Saves the items, or replaces them by the stored ones; an entry whose
  // class is not the list's kind ends the loading with what was read.
  void DoPropExchange(CTkPropExchange* exchange);

  CTkTaskPanel* GetPanel() const { return m_pPanel; }
  // Gives the list, and every item in it, to a panel.
  void SetPanel(CTkTaskPanel* panel);

  CTkTaskPanel* m_pPanel;
  // The panel for the groups list, the group for a group's list.
  CCmdTarget* m_pOwner = nullptr;

 private:
  void Relayout(BOOL animate) const;
  // The panel drops its references, then the list its own.
  void Release(CTkTaskPanelItem* item) const;

  std::vector<CTkTaskPanelItem*> m_items;
};

class CTkTaskPanelGroups : public CTkTaskPanelItems {
 public:
  explicit CTkTaskPanelGroups(CTkTaskPanel* panel) : CTkTaskPanelItems(panel) {}
  CRuntimeClass* GetDefaultItemClass() const override;
};

class CTkTaskPanelGroupItems : public CTkTaskPanelItems {
 public:
  explicit CTkTaskPanelGroupItems(CTkTaskPanel* panel) : CTkTaskPanelItems(panel) {}
  CRuntimeClass* GetDefaultItemClass() const override;
};
