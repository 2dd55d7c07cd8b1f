// What screen readers see of the task panel: an outline whose children are
// the groups and their items, each answering for itself.
#include "task_panel.h"

namespace {

HRESULT SetText(BSTR* out, const CString& text) {
  if (out == nullptr) return E_POINTER;
  *out = text.IsEmpty() ? nullptr : ::SysAllocString(text);
  return text.IsEmpty() ? S_FALSE : S_OK;
}

void SetLong(VARIANT* out, long value) {
  ::VariantInit(out);
  out->vt = VT_I4;
  out->lVal = value;
}

HRESULT ScreenRect(HWND window, CRect rect, long* left, long* top, long* width, long* height) {
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
  *left = *top = *width = *height = 0;
  if (window == nullptr) return S_OK;
  ::MapWindowPoints(window, nullptr, reinterpret_cast<LPPOINT>(&rect), 2);
  *left = rect.left;
  *top = rect.top;
  *width = rect.Width();
  *height = rect.Height();
  return S_OK;
}

}  // namespace

// The panel.

LPUNKNOWN CTkTaskPanel::GetInterface(const IID& iid) {
  if (iid == IID_IAccessible || iid == IID_IDispatch || iid == IID_IUnknown) return GetAccessible();
  return nullptr;
}

LRESULT CTkTaskPanel::OnGetObject(WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return Default();
  return LresultFromObject(IID_IAccessible, wParam, GetAccessible());
}

CTkTaskPanelItem* CTkTaskPanel::GetAccessibleChild(long childId) const {
  long id = 1;
  for (int i = 0; i < GetGroupCount(); ++i) {
    CTkTaskPanelGroup* group = GetGroupAt(i);
    if (childId == id) return group;
    if (childId <= id + group->GetItemCount()) return group->GetItems()->GetAt(static_cast<int>(childId - id - 1));
    id += 1 + group->GetItemCount();
  }
  return nullptr;
}

long CTkTaskPanel::GetAccessibleChildId(const CTkTaskPanelItem* item) const {
  long id = 1;
  for (int i = 0; i < GetGroupCount(); ++i) {
    CTkTaskPanelGroup* group = GetGroupAt(i);
    if (group == item) return id;
    int index = group->GetItems()->IndexOf(item);
    if (index >= 0) return id + 1 + index;
    id += 1 + group->GetItemCount();
  }
  return CHILDID_SELF;
}

HRESULT CTkTaskPanel::AccGetParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  HWND window = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
  if (window == nullptr) return E_FAIL;
  return AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                    reinterpret_cast<void**>(parent));
}

HRESULT CTkTaskPanel::AccGetChildCount(long* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  for (int i = 0; i < GetGroupCount(); ++i) *count += 1 + GetGroupAt(i)->GetItemCount();
  return S_OK;
}

HRESULT CTkTaskPanel::AccGetChild(VARIANT child, IDispatch** dispatch) {
  if (dispatch == nullptr) return E_POINTER;
  *dispatch = nullptr;
  CTkTaskPanelItem* item = GetAccessibleChild(ChildIdFromVariant(&child));
  if (item == nullptr) return E_INVALIDARG;
  return item->GetAccessible()->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch));
}

HRESULT CTkTaskPanel::AccGetName(VARIANT child, BSTR* name) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return SetText(name, CString());
  CString text;
  if (m_hWnd != nullptr) GetWindowText(text);
  return SetText(name, text);
}

HRESULT CTkTaskPanel::AccGetRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  SetLong(role, ROLE_SYSTEM_OUTLINE);
  return S_OK;
}

HRESULT CTkTaskPanel::AccGetState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  SetLong(state, ChildIdFromVariant(&child) == CHILDID_SELF ? STATE_SYSTEM_FOCUSABLE : 0);
  return S_OK;
}

HRESULT CTkTaskPanel::AccLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  long id = ChildIdFromVariant(&child);
  CTkTaskPanelItem* item = id == CHILDID_SELF ? nullptr : GetAccessibleChild(id);
  CRect rect(0, 0, 0, 0);
  if (item != nullptr) {
    rect = item->GetHitRect();
  } else if (m_hWnd != nullptr) {
    // The whole window, its scroll bar too.
    GetWindowRect(&rect);
    ScreenToClient(&rect);
  }
  return ScreenRect(m_hWnd, rect, left, top, width, height);
}

HRESULT CTkTaskPanel::AccHitTest(long x, long y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  ::VariantInit(child);
  if (m_hWnd == nullptr) return S_FALSE;
  CRect window;
  GetWindowRect(&window);
  if (!window.PtInRect(CPoint(x, y))) return S_FALSE;
  CPoint point(x, y);
  ScreenToClient(&point);
  if (CTkTaskPanelItem* item = HitTestItem(point)) {
    child->vt = VT_DISPATCH;
    return item->GetAccessible()->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&child->pdispVal));
  }
  SetLong(child, CHILDID_SELF);
  return S_OK;
}

// Items.

LPUNKNOWN CTkTaskPanelItem::GetInterface(const IID& iid) {
  if (iid == IID_IAccessible || iid == IID_IDispatch || iid == IID_IUnknown) return GetAccessible();
  return nullptr;
}

HRESULT CTkTaskPanelItem::AccGetParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  if (m_pPanel == nullptr) return E_FAIL;
  return m_pPanel->GetAccessible()->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(parent));
}

HRESULT CTkTaskPanelItem::AccGetName(VARIANT child, BSTR* name) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  return SetText(name, m_caption);
}

HRESULT CTkTaskPanelItem::AccGetDescription(VARIANT child, BSTR* description) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  return SetText(description, m_tooltip);
}

HRESULT CTkTaskPanelItem::AccGetRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  SetLong(role, ROLE_SYSTEM_LISTITEM);
  return S_OK;
}

long CTkTaskPanelItem::GetAccessibleState() const {
  long state = STATE_SYSTEM_FOCUSABLE;
  if (m_pPanel != nullptr && m_pPanel->GetFocusedItem() == this) state |= STATE_SYSTEM_FOCUSED;
  if (!m_bVisible) state |= STATE_SYSTEM_INVISIBLE;
  if (!m_bEnabled) state |= STATE_SYSTEM_UNAVAILABLE;
  return state;
}

HRESULT CTkTaskPanelItem::AccGetState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  SetLong(state, GetAccessibleState());
  return S_OK;
}

HRESULT CTkTaskPanelItem::AccLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  HWND window = m_pPanel != nullptr ? m_pPanel->GetSafeHwnd() : nullptr;
  return ScreenRect(window, window != nullptr ? GetHitRect() : CRect(0, 0, 0, 0), left, top, width, height);
}

HRESULT CTkTaskPanelItem::AccHitTest(long x, long y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  ::VariantInit(child);
  HWND window = m_pPanel != nullptr ? m_pPanel->GetSafeHwnd() : nullptr;
  if (window == nullptr) return S_FALSE;
  CPoint point(x, y);
  ::ScreenToClient(window, &point);
  if (!GetHitRect().PtInRect(point)) return S_FALSE;
  SetLong(child, CHILDID_SELF);
  return S_OK;
}

HRESULT CTkTaskPanelItem::AccSelect(long flags, VARIANT child) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  if ((flags & SELFLAG_TAKEFOCUS) != 0 && m_pPanel != nullptr) m_pPanel->MoveFocusTo(this, FALSE);
  return S_OK;
}

// Groups.

long CTkTaskPanelGroup::GetAccessibleState() const {
  return CTkTaskPanelItem::GetAccessibleState() | (IsExpanded() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED);
}

HRESULT CTkTaskPanelGroup::AccGetDefaultAction(VARIANT child, BSTR* action) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  return SetText(action, CString(L"Expand"));
}

HRESULT CTkTaskPanelGroup::AccDoDefaultAction(VARIANT child) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  if (m_pPanel != nullptr) m_pPanel->SetGroupExpanded(this, !IsExpanded());
  return S_OK;
}

// Group items.

long CTkTaskPanelGroupItem::GetAccessibleState() const {
  long state = CTkTaskPanelItem::GetAccessibleState() | STATE_SYSTEM_SELECTABLE;
  CTkTaskPanelGroup* group = GetGroup();
  if (group == nullptr || !group->IsItemShown(this, TRUE)) state |= STATE_SYSTEM_INVISIBLE;
  if (IsSelected()) state |= STATE_SYSTEM_SELECTED;
  return state;
}

HRESULT CTkTaskPanelGroupItem::AccSelect(long flags, VARIANT child) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  if ((flags & SELFLAG_TAKEFOCUS) != 0 && m_pPanel != nullptr) m_pPanel->MoveFocusTo(this, FALSE);
  if ((flags & SELFLAG_TAKESELECTION) != 0) SetSelected(TRUE);
  return S_OK;
}

HRESULT CTkTaskPanelGroupItem::AccGetDefaultAction(VARIANT child, BSTR* action) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  return SetText(action, CString(L"Click"));
}

HRESULT CTkTaskPanelGroupItem::AccDoDefaultAction(VARIANT child) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  CTkTaskPanel* panel = m_pPanel;
  if (panel == nullptr) return S_OK;
  CTkTaskPanelItemHold hold(this);
  if (CanFocus()) panel->MoveFocusTo(this, FALSE);
  // The focus notification may have taken the item out.
  if (m_pPanel == panel) panel->OnItemClicked(this);
  return S_OK;
}
