#include "msaa_support.h"

namespace {

typedef void(WINAPI* NotifyWinEventProc)(DWORD, HWND, LONG, LONG);
typedef HRESULT(WINAPI* AccessibleObjectFromWindowProc)(HWND, DWORD, REFIID, void**);
typedef LRESULT(WINAPI* LresultFromObjectProc)(REFIID, WPARAM, LPUNKNOWN);

NotifyWinEventProc notifyWinEvent = nullptr;
HMODULE oleacc = nullptr;
AccessibleObjectFromWindowProc accessibleObjectFromWindow = nullptr;
LresultFromObjectProc lresultFromObject = nullptr;

void BindNotifyWinEvent() {
  if (notifyWinEvent != nullptr) return;
  if (HMODULE user32 = ::GetModuleHandleW(L"USER32"))
    notifyWinEvent = reinterpret_cast<NotifyWinEventProc>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "NotifyWinEvent")));
}

// The oleacc entry, loading the library on first need; a failed look-up
// is tried again next time.
template <class F>
F OleaccEntry(F& slot, const char* name) {
  if (slot == nullptr) {
    if (oleacc == nullptr) oleacc = ::LoadLibraryW(L"oleacc.dll");
    if (oleacc != nullptr) slot = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(oleacc, name)));
  }
  return slot;
}

}  // namespace

CTkMsaaSupport::CTkMsaaSupport() : m_accessible(this) { BindNotifyWinEvent(); }

HRESULT CTkMsaaSupport::AccGetParent(IDispatch**) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccGetChildCount(long*) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccGetChild(VARIANT, IDispatch**) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccGetName(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccGetValue(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccGetDescription(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccGetRole(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccGetState(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccGetHelp(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccGetHelpTopic(BSTR*, VARIANT, long*) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccGetKeyboardShortcut(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccGetFocus(VARIANT*) { return S_FALSE; }
HRESULT CTkMsaaSupport::AccGetSelection(VARIANT*) { return S_FALSE; }
HRESULT CTkMsaaSupport::AccGetDefaultAction(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccSelect(long, VARIANT) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccLocation(long*, long*, long*, long*, VARIANT) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccNavigate(long, VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccHitTest(long, long, VARIANT*) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccDoDefaultAction(VARIANT) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccPutName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT CTkMsaaSupport::AccPutValue(VARIANT, BSTR) { return E_NOTIMPL; }

void CTkMsaaSupport::NotifyWinEvent(DWORD event, HWND hWnd, LONG objectId, LONG childId) {
  BindNotifyWinEvent();
  if (notifyWinEvent != nullptr) notifyWinEvent(event, hWnd, objectId, childId);
}

HRESULT CTkMsaaSupport::AccessibleObjectFromWindow(HWND hWnd, DWORD objectId, REFIID iid, void** object) {
  auto entry = OleaccEntry(accessibleObjectFromWindow, "AccessibleObjectFromWindow");
  return entry != nullptr ? entry(hWnd, objectId, iid, object) : E_FAIL;
}

LRESULT CTkMsaaSupport::LresultFromObject(REFIID iid, WPARAM wParam, IUnknown* object) {
  auto entry = OleaccEntry(lresultFromObject, "LresultFromObject");
  return entry != nullptr ? entry(iid, wParam, object) : static_cast<LRESULT>(E_FAIL);
}

long CTkMsaaSupport::ChildIdFromVariant(const VARIANT* variant) {
  // A chain of references ends somewhere; a bound keeps a circle from
  // looping for ever.
  for (int depth = 0; variant != nullptr && depth < 64; ++depth) {
    switch (variant->vt) {
      case VT_I4: return variant->lVal;
      case VT_I2: return variant->iVal;
      case VT_I4 | VT_BYREF: return variant->plVal != nullptr ? *variant->plVal : -1;
      case VT_I2 | VT_BYREF: return variant->piVal != nullptr ? *variant->piVal : -1;
      case VT_VARIANT | VT_BYREF: variant = variant->pvarVal; break;
      default: return -1;
    }
  }
  return -1;
}

HRESULT CTkMsaaSupport::Accessible::QueryInterface(REFIID iid, void** object) {
  return AfxExceptionBarrier<HRESULT>(E_FAIL, [&]() -> HRESULT {
    CCmdTarget* owner = m_pOuter->AccGetOwner();
    if (owner == nullptr) {
      if (object != nullptr) *object = nullptr;
      return E_NOINTERFACE;
    }
    return owner->ExternalQueryInterface(&iid, object);
  });
}

ULONG CTkMsaaSupport::Accessible::AddRef() {
  CCmdTarget* owner = m_pOuter->AccGetOwner();
  return owner != nullptr ? owner->ExternalAddRef() : 1;
}

ULONG CTkMsaaSupport::Accessible::Release() {
  CCmdTarget* owner = m_pOuter->AccGetOwner();
  return owner != nullptr ? owner->ExternalRelease() : 1;
}

template <class F>
HRESULT CTkMsaaSupport::Accessible::Call(F&& body) {
  return AfxExceptionBarrier<HRESULT>(E_FAIL, body);
}

HRESULT CTkMsaaSupport::Accessible::get_accParent(IDispatch** parent) {
  return Call([&] { return m_pOuter->AccGetParent(parent); });
}
HRESULT CTkMsaaSupport::Accessible::get_accChildCount(long* count) {
  return Call([&] { return m_pOuter->AccGetChildCount(count); });
}
HRESULT CTkMsaaSupport::Accessible::get_accChild(VARIANT child, IDispatch** dispatch) {
  return Call([&] { return m_pOuter->AccGetChild(child, dispatch); });
}
HRESULT CTkMsaaSupport::Accessible::get_accName(VARIANT child, BSTR* name) {
  return Call([&] { return m_pOuter->AccGetName(child, name); });
}
HRESULT CTkMsaaSupport::Accessible::get_accValue(VARIANT child, BSTR* value) {
  return Call([&] { return m_pOuter->AccGetValue(child, value); });
}
HRESULT CTkMsaaSupport::Accessible::get_accDescription(VARIANT child, BSTR* description) {
  return Call([&] { return m_pOuter->AccGetDescription(child, description); });
}
HRESULT CTkMsaaSupport::Accessible::get_accRole(VARIANT child, VARIANT* role) {
  return Call([&] { return m_pOuter->AccGetRole(child, role); });
}
HRESULT CTkMsaaSupport::Accessible::get_accState(VARIANT child, VARIANT* state) {
  return Call([&] { return m_pOuter->AccGetState(child, state); });
}
HRESULT CTkMsaaSupport::Accessible::get_accHelp(VARIANT child, BSTR* help) {
  return Call([&] { return m_pOuter->AccGetHelp(child, help); });
}
HRESULT CTkMsaaSupport::Accessible::get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic) {
  return Call([&] { return m_pOuter->AccGetHelpTopic(helpFile, child, topic); });
}
HRESULT CTkMsaaSupport::Accessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  return Call([&] { return m_pOuter->AccGetKeyboardShortcut(child, shortcut); });
}
HRESULT CTkMsaaSupport::Accessible::get_accFocus(VARIANT* child) {
  return Call([&] { return m_pOuter->AccGetFocus(child); });
}
HRESULT CTkMsaaSupport::Accessible::get_accSelection(VARIANT* children) {
  return Call([&] { return m_pOuter->AccGetSelection(children); });
}
HRESULT CTkMsaaSupport::Accessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  return Call([&] { return m_pOuter->AccGetDefaultAction(child, action); });
}
HRESULT CTkMsaaSupport::Accessible::accSelect(long flags, VARIANT child) {
  return Call([&] { return m_pOuter->AccSelect(flags, child); });
}
HRESULT CTkMsaaSupport::Accessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  return Call([&] { return m_pOuter->AccLocation(left, top, width, height, child); });
}
HRESULT CTkMsaaSupport::Accessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  return Call([&] { return m_pOuter->AccNavigate(direction, start, end); });
}
HRESULT CTkMsaaSupport::Accessible::accHitTest(long x, long y, VARIANT* child) {
  return Call([&] { return m_pOuter->AccHitTest(x, y, child); });
}
HRESULT CTkMsaaSupport::Accessible::accDoDefaultAction(VARIANT child) {
  return Call([&] { return m_pOuter->AccDoDefaultAction(child); });
}
HRESULT CTkMsaaSupport::Accessible::put_accName(VARIANT child, BSTR name) {
  return Call([&] { return m_pOuter->AccPutName(child, name); });
}
HRESULT CTkMsaaSupport::Accessible::put_accValue(VARIANT child, BSTR value) {
  return Call([&] { return m_pOuter->AccPutValue(child, value); });
}
