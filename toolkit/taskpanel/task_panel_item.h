// The common base of everything a task panel shows: groups and the items in
// them. An item knows its panel and the list it sits in, and asks the panel
// about its hot, focused, pressed and dragged states.
#pragma once

#include "framework.h"
#include "msaa_support.h"

class COleDataObject;
class CTkImageIcon;
class CTkPropExchange;
class CTkTaskPanel;
class CTkTaskPanelGroup;
class CTkTaskPanelItems;

// A margin side or spacing with this value takes the paint manager's.
const int kTaskPanelDefaultMetric = static_cast<int>(0x80000000);
const RECT kTaskPanelDefaultRect = {kTaskPanelDefaultMetric, kTaskPanelDefaultMetric, kTaskPanelDefaultMetric,
                                    kTaskPanelDefaultMetric};

enum TaskPanelItemType { kTaskItemGroup = 0, kTaskItemLink = 1, kTaskItemText = 2, kTaskItemControl = 3 };

// Drag flags when nothing on the way sets its own.
const int kTaskPanelDefaultDragFlags = 0xCC;

class CTkTaskPanelItem : public CCmdTarget, public CTkMsaaSupport {
  DECLARE_DYNCREATE(CTkTaskPanelItem)
 public:
  CTkTaskPanelItem() = default;

  virtual BOOL CanFocus() const;
  virtual CTkTaskPanelGroup* GetGroup() const;
  // In panel client coordinates.
  virtual CRect GetHitRect() const { return CRect(0, 0, 0, 0); }
  virtual void DoPropExchange(CTkPropExchange* exchange);

  LPUNKNOWN GetInterface(const IID& iid) override;
  CCmdTarget* AccGetOwner() override { return this; }
  HRESULT AccGetParent(IDispatch** parent) override;
  HRESULT AccGetName(VARIANT child, BSTR* name) override;
  HRESULT AccGetDescription(VARIANT child, BSTR* description) override;
  HRESULT AccGetRole(VARIANT child, VARIANT* role) override;
  HRESULT AccGetState(VARIANT child, VARIANT* state) override;
  HRESULT AccLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  HRESULT AccHitTest(long x, long y, VARIANT* child) override;
  HRESULT AccSelect(long flags, VARIANT child) override;
  // The accessible state bits of this object.
  virtual long GetAccessibleState() const;

  BOOL IsHot() const;
  BOOL IsPressed() const;
  BOOL IsDragged() const;
  BOOL IsDropTarget() const;
  BOOL IsFocused() const;

  BOOL IsEnabled() const { return m_bEnabled; }
  BOOL IsVisible() const { return m_bVisible; }
  int GetType() const { return m_type; }
  int GetId() const { return m_id; }
  const CString& GetCaption() const { return m_caption; }
  const CString& GetTooltip() const { return m_tooltip; }
  int GetIconIndex() const { return m_iconIndex; }
  CTkTaskPanel* GetPanel() const { return m_pPanel; }
  CTkTaskPanelItems* GetParentItems() const { return m_pParentItems; }

  // A new caption lays the panel out again.
  void SetCaption(LPCWSTR text);
  void SetTooltip(LPCWSTR text) { m_tooltip = text; }
  void SetId(int id) { m_id = id; }
  void SetType(int type) { m_type = type; }
  void SetIconIndex(int index);
  void SetEnabled(BOOL enabled);
  void SetVisible(BOOL visible);
  void SetAllowDrag(int flags) { m_allowDrag = flags; }
  void SetAllowDrop(BOOL allow) { m_bAllowDrop = allow; }
  void SetIconPadding(const RECT& padding) { m_iconPadding = padding; }

  void Redraw() const;
  CTkImageIcon* GetImage(int width) const;
  int GetIndex() const;
  void Remove();
  BOOL CanAcceptDrop() const;
  int GetDragFlags() const;
  // The clipboard data: the item's class record, then its settings (a
  // group's with its items). Null when it cannot be made.
  HGLOBAL CopyToGlobalMemory();
  // A new item of a class derived from required, read from such data; null
  // for anything else.
  static CTkTaskPanelItem* CreateFromGlobalMemory(HGLOBAL memory, CRuntimeClass* required);
  // The same from a drag's data in the clipboard format below.
  static CTkTaskPanelItem* CreateFromDataObject(COleDataObject* data, CRuntimeClass* required);
  // The item itself, or a group holding it.
  BOOL Holds(const CTkTaskPanelItem* other) const;

  CTkTaskPanel* m_pPanel = nullptr;
  CString m_caption;
  CString m_tooltip;
  int m_id = 0;
  int m_type = kTaskItemLink;
  CTkTaskPanelItems* m_pParentItems = nullptr;
  int m_iconIndex = -1;
  BOOL m_bEnabled = TRUE;
  BOOL m_bAllowDrop = TRUE;
  int m_allowDrag = 1;
  BOOL m_bVisible = TRUE;
  RECT m_iconPadding = kTaskPanelDefaultRect;
};

// "TaskPanelGroupItem", registered at first use.
CLIPFORMAT GetTaskPanelClipboardFormat();

// FALSE for a null item too.
inline BOOL IsVisibleItem(const CTkTaskPanelItem* item) { return item != nullptr && item->IsVisible(); }

// Holds one counted reference for a scope, so that an item an owner removes
// during a notification stays readable until the handler has checked it.
class CTkTaskPanelItemHold {
 public:
  explicit CTkTaskPanelItemHold(CTkTaskPanelItem* item) : m_pItem(item) {
    if (m_pItem != nullptr) m_pItem->InternalAddRef();
  }
  ~CTkTaskPanelItemHold() {
    if (m_pItem != nullptr) m_pItem->InternalRelease();
  }
  CTkTaskPanelItemHold(const CTkTaskPanelItemHold&) = delete;
  CTkTaskPanelItemHold& operator=(const CTkTaskPanelItemHold&) = delete;

 private:
  CTkTaskPanelItem* m_pItem;
};
