// Accessibility: a mix-in that gives a toolkit object the system's
// IAccessible face. The embedding class overrides the operations it can
// answer and hands the face out from its GetInterface; reference counting
// and interface queries go to the owning command target.
#pragma once

#include <oleacc.h>

#include "framework.h"

class CTkMsaaSupport {
 public:
  CTkMsaaSupport();
  virtual ~CTkMsaaSupport() = default;
  CTkMsaaSupport(const CTkMsaaSupport&) = delete;
  CTkMsaaSupport& operator=(const CTkMsaaSupport&) = delete;

  virtual HRESULT AccGetParent(IDispatch** parent);
  virtual HRESULT AccGetChildCount(long* count);
  virtual HRESULT AccGetChild(VARIANT child, IDispatch** dispatch);
  virtual HRESULT AccGetName(VARIANT child, BSTR* name);
  virtual HRESULT AccGetValue(VARIANT child, BSTR* value);
  virtual HRESULT AccGetDescription(VARIANT child, BSTR* description);
  virtual HRESULT AccGetRole(VARIANT child, VARIANT* role);
  virtual HRESULT AccGetState(VARIANT child, VARIANT* state);
  virtual HRESULT AccGetHelp(VARIANT child, BSTR* help);
  virtual HRESULT AccGetHelpTopic(BSTR* helpFile, VARIANT child, long* topic);
  virtual HRESULT AccGetKeyboardShortcut(VARIANT child, BSTR* shortcut);
  virtual HRESULT AccGetFocus(VARIANT* child);
  virtual HRESULT AccGetSelection(VARIANT* children);
  virtual HRESULT AccGetDefaultAction(VARIANT child, BSTR* action);
  virtual HRESULT AccSelect(long flags, VARIANT child);
  virtual HRESULT AccLocation(long* left, long* top, long* width, long* height, VARIANT child);
  virtual HRESULT AccNavigate(long direction, VARIANT start, VARIANT* end);
  virtual HRESULT AccHitTest(long x, long y, VARIANT* child);
  virtual HRESULT AccDoDefaultAction(VARIANT child);
  virtual HRESULT AccPutName(VARIANT child, BSTR name);
  virtual HRESULT AccPutValue(VARIANT child, BSTR value);
  // The command target that owns the mix-in; every embedding class says.
  virtual CCmdTarget* AccGetOwner() { return nullptr; }

  IAccessible* GetAccessible() { return &m_accessible; }

  static void NotifyWinEvent(DWORD event, HWND hWnd, LONG objectId, LONG childId);
  // E_FAIL when oleacc.dll or its entry cannot be had.
  static HRESULT AccessibleObjectFromWindow(HWND hWnd, DWORD objectId, REFIID iid, void** object);
  static LRESULT LresultFromObject(REFIID iid, WPARAM wParam, IUnknown* object);
  // The child id a VARIANT names (also by reference), else -1.
  static long ChildIdFromVariant(const VARIANT* variant);

 private:
  // The face the system sees; every call steps back to the mix-in.
  class Accessible : public IAccessible {
   public:
    explicit Accessible(CTkMsaaSupport* outer) : m_pOuter(outer) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
      return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

   private:
    template <class F>
    HRESULT Call(F&& body);
    CTkMsaaSupport* m_pOuter;
  };

  Accessible m_accessible;
};
