// A small in-place ActiveX control made by the test program itself and
// registered for this process only: it records what its container asks.
#pragma once

#include <ocidl.h>

#include <string>
#include <vector>

class StandInControl : public IOleObject,
                       public IOleInPlaceObject,
                       public IOleInPlaceActiveObject,
                       public IPersistStreamInit,
                       public IDispatch {
 public:
  StandInControl();
  virtual ~StandInControl();

  // Registers the class under clsid while it lives; make gives the
  // objects (a plain stand-in when null).
  class Registration {
   public:
    explicit Registration(REFCLSID clsid, StandInControl* (*make)() = nullptr);
    ~Registration();
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;
    bool ok() const { return m_cookie != 0; }

   private:
    IClassFactory* m_factory = nullptr;
    DWORD m_cookie = 0;
  };

  static int live;                 // objects not yet deleted
  static StandInControl* last;     // the latest one made (valid while live)
  static std::wstring raiseText;   // when set, Invoke raises with this description
  static DISPID raiseOnly;         // when not 0, only this id raises
  static bool refuseCreation;      // the class factory makes nothing
  static HRESULT initNewResult;    // what InitNew answers

  // Every object's calls in order ("InitNew", "SetClientSite", ...), kept
  // after the object is gone; tests clear them. Invoke adds "call N",
  // "get N" or "put N" by its kind and dispatch id.
  static std::vector<std::string> calls;
  static std::vector<std::pair<DISPID, std::wstring>> invoked;
  // Keys offered to the active object's accelerator translation and keys
  // that reached the control's window, as WM_KEYDOWN virtual keys. Tab and
  // the arrow keys are taken by the translation; others pass.
  static std::vector<UINT> keysTranslated;
  static std::vector<UINT> keysReceived;
  // References the container still held when this control let go of its
  // site and its frame (its own are already released).
  static ULONG siteReferencesLeft;
  static ULONG frameReferencesLeft;
  RECT objectRect = {};
  HWND window = nullptr;
  IOleClientSite* site = nullptr;
  IOleInPlaceFrame* frame = nullptr;

  STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;
  // IOleObject
  STDMETHOD(SetClientSite)(IOleClientSite* pClientSite) override;
  STDMETHOD(GetClientSite)(IOleClientSite** ppClientSite) override;
  STDMETHOD(SetHostNames)(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  STDMETHOD(Close)(DWORD) override;
  STDMETHOD(SetMoniker)(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHOD(GetMoniker)(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHOD(InitFromData)(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHOD(GetClipboardData)(DWORD, IDataObject**) override { return E_NOTIMPL; }
  STDMETHOD(DoVerb)(LONG iVerb, LPMSG, IOleClientSite* pActiveSite, LONG, HWND hwndParent, LPCRECT lprcPosRect) override;
  STDMETHOD(EnumVerbs)(IEnumOLEVERB**) override { return E_NOTIMPL; }
  STDMETHOD(Update)() override { return S_OK; }
  STDMETHOD(IsUpToDate)() override { return S_OK; }
  STDMETHOD(GetUserClassID)(CLSID*) override { return E_NOTIMPL; }
  STDMETHOD(GetUserType)(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
  STDMETHOD(SetExtent)(DWORD, SIZEL*) override { return E_NOTIMPL; }
  STDMETHOD(GetExtent)(DWORD, SIZEL*) override { return E_NOTIMPL; }
  STDMETHOD(Advise)(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  STDMETHOD(Unadvise)(DWORD) override { return E_NOTIMPL; }
  STDMETHOD(EnumAdvise)(IEnumSTATDATA**) override { return E_NOTIMPL; }
  STDMETHOD(GetMiscStatus)(DWORD, DWORD* status) override;
  STDMETHOD(SetColorScheme)(LOGPALETTE*) override { return E_NOTIMPL; }
  // IOleWindow / IOleInPlaceObject / IOleInPlaceActiveObject
  STDMETHOD(GetWindow)(HWND* phwnd) override;
  STDMETHOD(ContextSensitiveHelp)(BOOL) override { return E_NOTIMPL; }
  STDMETHOD(InPlaceDeactivate)() override;
  STDMETHOD(UIDeactivate)() override { return S_OK; }
  STDMETHOD(SetObjectRects)(LPCRECT lprcPosRect, LPCRECT) override;
  STDMETHOD(ReactivateAndUndo)() override { return E_NOTIMPL; }
  STDMETHOD(TranslateAccelerator)(LPMSG lpmsg) override;
  STDMETHOD(OnFrameWindowActivate)(BOOL) override { return S_OK; }
  STDMETHOD(OnDocWindowActivate)(BOOL) override { return S_OK; }
  STDMETHOD(ResizeBorder)(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
  STDMETHOD(EnableModeless)(BOOL) override { return S_OK; }
  // IPersistStreamInit
  STDMETHOD(GetClassID)(CLSID*) override { return E_NOTIMPL; }
  STDMETHOD(IsDirty)() override { return S_FALSE; }
  STDMETHOD(Load)(LPSTREAM) override { return E_NOTIMPL; }
  STDMETHOD(Save)(LPSTREAM, BOOL) override { return E_NOTIMPL; }
  STDMETHOD(GetSizeMax)(ULARGE_INTEGER*) override { return E_NOTIMPL; }
  STDMETHOD(InitNew)() override;
  // IDispatch: any id, a string argument recorded, TRUE answered.
  STDMETHOD(GetTypeInfoCount)(UINT* count) override;
  STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHOD(Invoke)(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                    UINT*) override;

 private:
  ULONG m_references = 0;
};
