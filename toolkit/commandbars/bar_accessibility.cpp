// What screen readers see of a bar (its controls are children 1..count)
// and of a control (itself, and its popup bar as child 1).
#include "bar_painter.h"
#include "command_bar.h"
#include "popup_bar.h"

namespace {

void SetLong(VARIANT* variant, long value) {
  ::VariantInit(variant);
  variant->vt = VT_I4;
  variant->lVal = value;
}

HRESULT ReturnText(const CString& text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = ::SysAllocString(text);
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnLocation(const CWnd* window, CRect rect, long* left, long* top, long* width, long* height) {
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
  if (window == nullptr || window->GetSafeHwnd() == nullptr) {
    rect.SetRectEmpty();
  } else {
    ::MapWindowPoints(window->GetSafeHwnd(), nullptr, reinterpret_cast<LPPOINT>(&rect), 2);
  }
  *left = rect.left;
  *top = rect.top;
  *width = rect.Width();
  *height = rect.Height();
  return S_OK;
}

BOOL IsShown(const CWnd* window) { return window != nullptr && window->GetSafeHwnd() != nullptr && window->IsWindowVisible(); }

}  // namespace

CString CTkControl::GetAccessibleName() const {
  CString name = GetVisibleCaption();
  CTkBarPainter::StripMnemonics(name);
  const CString shortcut = GetShortcutText();
  if (!shortcut.IsEmpty()) name += L"\t" + shortcut;
  return name;
}

long CTkControl::GetAccessibleState() const {
  long state = STATE_SYSTEM_FOCUSABLE;
  if (m_nSelected != 0) state |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED | STATE_SYSTEM_HOTTRACKED;
  if (!IsShown(m_pParent) || m_nHideFlags != 0) state |= STATE_SYSTEM_INVISIBLE;
  if (!m_bEnabled) state |= STATE_SYSTEM_UNAVAILABLE;
  if (m_bChecked) state |= STATE_SYSTEM_CHECKED;
  if (m_nPressed != 0) state |= STATE_SYSTEM_PRESSED;
  if (const_cast<CTkControl*>(this)->GetCommandBar() != nullptr) state |= STATE_SYSTEM_HASPOPUP;
  return state;
}

LPUNKNOWN CTkControl::GetInterface(const IID& iid) {
  if (iid == IID_IAccessible || iid == IID_IDispatch || iid == IID_IUnknown) return GetAccessible();
  return nullptr;
}

HRESULT CTkControl::AccGetParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  if (m_pParent == nullptr) return E_FAIL;
  return m_pParent->GetAccessible()->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(parent));
}

HRESULT CTkControl::AccGetChildCount(long* count) {
  if (count == nullptr) return E_POINTER;
  *count = GetCommandBar() != nullptr ? 1 : 0;
  return S_OK;
}

HRESULT CTkControl::AccGetChild(VARIANT child, IDispatch** dispatch) {
  if (dispatch == nullptr) return E_POINTER;
  *dispatch = nullptr;
  const long id = ChildIdFromVariant(&child);
  CTkCommandBar* popup = GetCommandBar();
  if (id == 1 && popup != nullptr)
    return popup->GetAccessible()->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch));
  return id == CHILDID_SELF ? S_FALSE : E_INVALIDARG;
}

HRESULT CTkControl::AccGetName(VARIANT child, BSTR* name) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  return ReturnText(GetAccessibleName(), name);
}

HRESULT CTkControl::AccGetDescription(VARIANT child, BSTR* description) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  return ReturnText(GetDescription(), description);
}

HRESULT CTkControl::AccGetRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  long value = ROLE_SYSTEM_MENUITEM;
  if (m_pParent != nullptr && m_pParent->GetType() == kBarTool)
    value = GetCommandBar() != nullptr ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON;
  SetLong(role, value);
  return S_OK;
}

HRESULT CTkControl::AccGetState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  SetLong(state, GetAccessibleState());
  return S_OK;
}

HRESULT CTkControl::AccGetDefaultAction(VARIANT child, BSTR* action) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  return ReturnText(L"Click", action);
}

HRESULT CTkControl::AccSelect(long, VARIANT child) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  if (m_pParent != nullptr) {
    m_pParent->SetMenuMode(1, FALSE, FALSE);
    m_pParent->SetHighlightedControl(m_nIndex, TRUE);
  }
  return S_OK;
}

HRESULT CTkControl::AccLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  return ReturnLocation(m_pParent, m_rcControl, left, top, width, height);
}

HRESULT CTkControl::AccHitTest(long x, long y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  ::VariantInit(child);
  if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr) return S_FALSE;
  CPoint point(x, y);
  m_pParent->ScreenToClient(&point);
  if (!m_rcControl.PtInRect(point)) return S_FALSE;
  SetLong(child, CHILDID_SELF);
  return S_OK;
}

HRESULT CTkControl::AccDoDefaultAction(VARIANT child) {
  if (ChildIdFromVariant(&child) != CHILDID_SELF) return E_INVALIDARG;
  OnClick(TRUE, CPoint(0, 0));
  return S_OK;
}

LPUNKNOWN CTkCommandBar::GetInterface(const IID& iid) {
  if (iid == IID_IAccessible || iid == IID_IDispatch || iid == IID_IUnknown) return GetAccessible();
  return nullptr;
}

namespace {

// The control a child id names; null for the bar itself. Invalid ids
// give E_INVALIDARG.
HRESULT ChildOf(const CTkCommandBar* bar, const VARIANT& child, CTkControl*& control) {
  const long id = CTkMsaaSupport::ChildIdFromVariant(&child);
  control = nullptr;
  if (id == CHILDID_SELF) return S_OK;
  control = bar->GetControl(id - 1);
  return control != nullptr ? S_OK : E_INVALIDARG;
}

}  // namespace

HRESULT CTkCommandBar::AccGetParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  if (m_barType == kBarPopup && IsKindOf(RUNTIME_CLASS(CTkPopupBar))) {
    if (CTkControl* opening = static_cast<CTkPopupBar*>(this)->GetOpeningControl())
      return opening->GetAccessible()->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(parent));
  }
  HWND window = GetSafeHwnd() != nullptr ? ::GetParent(m_hWnd) : nullptr;
  if (window == nullptr) return E_FAIL;
  return AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                    reinterpret_cast<void**>(parent));
}

HRESULT CTkCommandBar::AccGetChildCount(long* count) {
  if (count == nullptr) return E_POINTER;
  *count = GetControlCount();
  return S_OK;
}

HRESULT CTkCommandBar::AccGetChild(VARIANT child, IDispatch** dispatch) {
  if (dispatch == nullptr) return E_POINTER;
  *dispatch = nullptr;
  CTkControl* control = nullptr;
  const HRESULT valid = ChildOf(this, child, control);
  return FAILED(valid) ? valid : S_FALSE;
}

HRESULT CTkCommandBar::AccGetName(VARIANT child, BSTR* name) {
  CTkControl* control = nullptr;
  const HRESULT valid = ChildOf(this, child, control);
  if (FAILED(valid)) return valid;
  return ReturnText(control != nullptr ? control->GetAccessibleName() : m_strTitle, name);
}

HRESULT CTkCommandBar::AccGetRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  CTkControl* control = nullptr;
  const HRESULT valid = ChildOf(this, child, control);
  if (FAILED(valid)) return valid;
  long value = ROLE_SYSTEM_MENUITEM;
  if (control == nullptr)
    value = m_barType == kBarMenu ? ROLE_SYSTEM_MENUBAR : m_barType == kBarPopup ? ROLE_SYSTEM_MENUPOPUP
                                                                                  : ROLE_SYSTEM_TOOLBAR;
  SetLong(role, value);
  return S_OK;
}

HRESULT CTkCommandBar::AccGetState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  CTkControl* control = nullptr;
  const HRESULT valid = ChildOf(this, child, control);
  if (FAILED(valid)) return valid;
  long value = 0;
  if (control == nullptr) {
    if (!IsShown(this)) value = STATE_SYSTEM_INVISIBLE;
  } else {
    value = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (control->GetIndex() == m_nHotControl)
      value |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_SELECTED;
  }
  SetLong(state, value);
  return S_OK;
}

HRESULT CTkCommandBar::AccLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  CTkControl* control = nullptr;
  const HRESULT valid = ChildOf(this, child, control);
  if (FAILED(valid)) return valid;
  CRect rect = control != nullptr ? control->GetRect() : CRect(0, 0, 0, 0);
  if (control == nullptr && GetSafeHwnd() != nullptr) GetClientRect(&rect);
  return ReturnLocation(this, rect, left, top, width, height);
}

HRESULT CTkCommandBar::AccHitTest(long x, long y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  ::VariantInit(child);
  if (GetSafeHwnd() == nullptr) return S_FALSE;
  CRect window;
  GetWindowRect(&window);
  if (!window.PtInRect(CPoint(x, y))) return S_FALSE;
  CPoint point(x, y);
  ScreenToClient(&point);
  CTkControl* control = m_pControls->HitTest(point);
  SetLong(child, control != nullptr ? control->GetIndex() + 1 : CHILDID_SELF);
  return S_OK;
}
