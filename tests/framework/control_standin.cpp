#include "control_standin.h"

int StandInControl::live = 0;
StandInControl* StandInControl::last = nullptr;
std::wstring StandInControl::raiseText;
DISPID StandInControl::raiseOnly = 0;
bool StandInControl::refuseCreation = false;
HRESULT StandInControl::initNewResult = S_OK;
std::vector<std::string> StandInControl::calls;
std::vector<std::pair<DISPID, std::wstring>> StandInControl::invoked;
std::vector<UINT> StandInControl::keysTranslated;
std::vector<UINT> StandInControl::keysReceived;
ULONG StandInControl::siteReferencesLeft = 0;
ULONG StandInControl::frameReferencesLeft = 0;

namespace {

const wchar_t kWindowClass[] = L"MulvaraStandInControl";

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN) StandInControl::keysReceived.push_back(static_cast<UINT>(wParam));
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void RegisterWindowClass() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = ControlWindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
  wc.lpszClassName = kWindowClass;
  ::RegisterClassW(&wc);
}

class Factory : public IClassFactory {
 public:
  explicit Factory(StandInControl* (*make)()) : m_make(make) {}
  virtual ~Factory() = default;

  STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *ppv = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHOD_(ULONG, AddRef)() override { return 2; }
  STDMETHOD_(ULONG, Release)() override { return 1; }
  STDMETHOD(CreateInstance)(IUnknown* outer, REFIID riid, void** ppv) override {
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    *ppv = nullptr;
    if (StandInControl::refuseCreation) return E_OUTOFMEMORY;
    StandInControl* control = m_make != nullptr ? m_make() : new StandInControl;
    control->AddRef();
    const HRESULT hr = control->QueryInterface(riid, ppv);
    control->Release();
    return hr;
  }
  STDMETHOD(LockServer)(BOOL) override { return S_OK; }

 private:
  StandInControl* (*m_make)();
};

}  // namespace

StandInControl::Registration::Registration(REFCLSID clsid, StandInControl* (*make)())
    : m_factory(new Factory(make)) {
  RegisterWindowClass();
  if (FAILED(::CoRegisterClassObject(clsid, m_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie)))
    m_cookie = 0;
}

StandInControl::Registration::~Registration() {
  if (m_cookie != 0) ::CoRevokeClassObject(m_cookie);
  delete static_cast<Factory*>(m_factory);
}

StandInControl::StandInControl() {
  ++live;
  last = this;
}

StandInControl::~StandInControl() {
  if (site != nullptr) site->Release();
  if (frame != nullptr) frame->Release();
  if (window != nullptr && ::IsWindow(window)) ::DestroyWindow(window);
  --live;
  if (last == this) last = nullptr;
}

HRESULT StandInControl::QueryInterface(REFIID riid, void** ppv) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleObject)) {
    *ppv = static_cast<IOleObject*>(this);
  } else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceObject)) {
    *ppv = static_cast<IOleInPlaceObject*>(this);
  } else if (IsEqualIID(riid, IID_IOleInPlaceActiveObject)) {
    *ppv = static_cast<IOleInPlaceActiveObject*>(this);
  } else if (IsEqualIID(riid, IID_IPersistStreamInit)) {
    *ppv = static_cast<IPersistStreamInit*>(this);
  } else if (IsEqualIID(riid, IID_IDispatch)) {
    *ppv = static_cast<IDispatch*>(this);
  } else {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG StandInControl::AddRef() { return ++m_references; }

ULONG StandInControl::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT StandInControl::SetClientSite(IOleClientSite* pClientSite) {
  calls.push_back(pClientSite != nullptr ? "SetClientSite" : "SetClientSite(null)");
  if (pClientSite != nullptr) pClientSite->AddRef();
  if (site != nullptr) siteReferencesLeft = site->Release();
  site = pClientSite;
  return S_OK;
}

HRESULT StandInControl::GetClientSite(IOleClientSite** ppClientSite) {
  *ppClientSite = site;
  if (site != nullptr) site->AddRef();
  return S_OK;
}

HRESULT StandInControl::Close(DWORD) {
  calls.push_back("Close");
  return S_OK;
}

HRESULT StandInControl::DoVerb(LONG iVerb, LPMSG, IOleClientSite* pActiveSite, LONG, HWND hwndParent,
                               LPCRECT lprcPosRect) {
  if (iVerb != OLEIVERB_INPLACEACTIVATE || pActiveSite == nullptr) return E_NOTIMPL;
  calls.push_back("InPlaceActivate");
  IOleInPlaceSite* inPlaceSite = nullptr;
  if (FAILED(pActiveSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlaceSite))))
    return E_FAIL;
  HRESULT hr = inPlaceSite->CanInPlaceActivate();
  if (hr == S_OK) hr = inPlaceSite->OnInPlaceActivate();
  IOleInPlaceUIWindow* document = nullptr;
  RECT position = {}, clip = {};
  OLEINPLACEFRAMEINFO info = {};
  info.cb = sizeof info;
  if (SUCCEEDED(hr)) hr = inPlaceSite->GetWindowContext(&frame, &document, &position, &clip, &info);
  if (document != nullptr) document->Release();
  HWND siteWindow = nullptr;
  inPlaceSite->GetWindow(&siteWindow);
  inPlaceSite->Release();
  if (FAILED(hr) || siteWindow != hwndParent) return E_FAIL;
  objectRect = *lprcPosRect;
  window = ::CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE, objectRect.left, objectRect.top,
                             objectRect.right - objectRect.left, objectRect.bottom - objectRect.top, hwndParent,
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
  return window != nullptr ? S_OK : E_FAIL;
}

HRESULT StandInControl::GetMiscStatus(DWORD, DWORD* status) {
  *status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE;
  return S_OK;
}

HRESULT StandInControl::GetWindow(HWND* phwnd) {
  *phwnd = window;
  return window != nullptr ? S_OK : E_FAIL;
}

HRESULT StandInControl::InPlaceDeactivate() {
  calls.push_back("InPlaceDeactivate");
  if (window != nullptr && ::IsWindow(window)) ::DestroyWindow(window);
  window = nullptr;
  if (frame != nullptr) frameReferencesLeft = frame->Release();
  frame = nullptr;
  if (site != nullptr) {
    IOleInPlaceSite* inPlaceSite = nullptr;
    if (SUCCEEDED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlaceSite)))) {
      inPlaceSite->OnInPlaceDeactivate();
      inPlaceSite->Release();
    }
  }
  return S_OK;
}

HRESULT StandInControl::SetObjectRects(LPCRECT lprcPosRect, LPCRECT) {
  calls.push_back("SetObjectRects");
  objectRect = *lprcPosRect;
  if (window != nullptr)
    ::MoveWindow(window, objectRect.left, objectRect.top, objectRect.right - objectRect.left,
                 objectRect.bottom - objectRect.top, TRUE);
  return S_OK;
}

HRESULT StandInControl::TranslateAccelerator(LPMSG lpmsg) {
  if (lpmsg->message != WM_KEYDOWN) return S_FALSE;
  const UINT key = static_cast<UINT>(lpmsg->wParam);
  keysTranslated.push_back(key);
  const bool taken = key == VK_TAB || key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
  return taken ? S_OK : S_FALSE;
}

HRESULT StandInControl::InitNew() {
  calls.push_back("InitNew");
  return initNewResult;
}

HRESULT StandInControl::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT StandInControl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO* info, UINT*) {
  std::wstring text;
  if (params != nullptr && params->cArgs > 0 && params->rgvarg[0].vt == VT_BSTR && params->rgvarg[0].bstrVal)
    text = params->rgvarg[0].bstrVal;
  invoked.emplace_back(id, text);
  const char* kind = (flags & DISPATCH_PROPERTYPUT) ? "put " : (flags & DISPATCH_PROPERTYGET) ? "get " : "call ";
  calls.push_back(kind + std::to_string(id));
  if (!raiseText.empty() && (raiseOnly == 0 || raiseOnly == id)) {
    if (info != nullptr) {
      *info = {};
      info->scode = E_FAIL;
      info->bstrDescription = ::SysAllocString(raiseText.c_str());
    }
    return DISP_E_EXCEPTION;
  }
  if (result != nullptr) {
    ::VariantInit(result);
    result->vt = VT_BOOL;
    result->boolVal = VARIANT_TRUE;
  }
  return S_OK;
}
