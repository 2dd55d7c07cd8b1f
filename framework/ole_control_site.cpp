#include "ole_control_site.h"

#include <cstdarg>

#include "wnd.h"

COleControlFrame::~COleControlFrame() {
  if (m_activeObject != nullptr) m_activeObject->Release();
}

HRESULT COleControlFrame::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleWindow) ||
      IsEqualIID(riid, IID_IOleInPlaceUIWindow) || IsEqualIID(riid, IID_IOleInPlaceFrame)) {
    *ppv = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG COleControlFrame::AddRef() { return ++m_references; }

ULONG COleControlFrame::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT COleControlFrame::GetWindow(HWND* phwnd) {
  if (phwnd == nullptr) return E_POINTER;
  *phwnd = m_topLevel;
  return S_OK;
}

HRESULT COleControlFrame::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
HRESULT COleControlFrame::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }
HRESULT COleControlFrame::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
HRESULT COleControlFrame::SetBorderSpace(LPCBORDERWIDTHS) { return OLE_E_INVALIDRECT; }
HRESULT COleControlFrame::SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR) {
  if (pActiveObject != nullptr) pActiveObject->AddRef();
  if (m_activeObject != nullptr) m_activeObject->Release();
  m_activeObject = pActiveObject;
  return S_OK;
}
HRESULT COleControlFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return E_NOTIMPL; }
HRESULT COleControlFrame::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
HRESULT COleControlFrame::RemoveMenus(HMENU) { return E_NOTIMPL; }
HRESULT COleControlFrame::SetStatusText(LPCOLESTR) { return S_OK; }
HRESULT COleControlFrame::EnableModeless(BOOL) { return S_OK; }
HRESULT COleControlFrame::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

HRESULT COleControlSite::CreateControl(REFCLSID clsid, LPCWSTR windowName, DWORD style, const RECT& rect,
                                       CWnd* parent, UINT id) {
  m_parent = parent->GetSafeHwnd();
  m_rect = rect;
  HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(&m_object));
  if (FAILED(hr)) {
    m_object = nullptr;
    return hr;
  }
  IPersistStreamInit* persist = nullptr;
  if (SUCCEEDED(m_object->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)))) {
    // Wine's media player refuses InitNew and works all the same: only the
    // activation decides.
    persist->InitNew();
    persist->Release();
  }
  m_object->SetClientSite(this);
  RECT position = rect;
  hr = m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, m_parent, &position);
  if (SUCCEEDED(hr) && m_inPlace == nullptr)
    hr = m_object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_inPlace));
  if (SUCCEEDED(hr) && (FAILED(m_inPlace->GetWindow(&m_controlWindow)) || m_controlWindow == nullptr))
    hr = E_FAIL;
  if (FAILED(hr)) {
    DestroyControl();
    return hr;
  }
  m_wrapper->SubclassWindow(m_controlWindow);
  ::SetWindowLongPtrW(m_controlWindow, GWLP_ID, static_cast<LONG_PTR>(id));
  if (windowName != nullptr && *windowName != 0) ::SetWindowTextW(m_controlWindow, windowName);
  ::ShowWindow(m_controlWindow, (style & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
  IDispatch* dispatch = nullptr;
  if (SUCCEEDED(m_object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
    m_dispatch.AttachDispatch(dispatch);
  return S_OK;
}

void COleControlSite::DestroyControl() {
  m_dispatch.ReleaseDispatch();
  // The control ends its window itself; no message of it may reach the
  // wrapper after this.
  if (m_wrapper->GetSafeHwnd() != nullptr && m_wrapper->GetSafeHwnd() == m_controlWindow)
    m_wrapper->UnsubclassWindow();
  if (m_inPlace != nullptr) {
    m_inPlace->InPlaceDeactivate();
    m_inPlace->Release();
    m_inPlace = nullptr;
  }
  if (m_object != nullptr) {
    m_object->Close(OLECLOSE_NOSAVE);
    m_object->SetClientSite(nullptr);
    m_object->Release();
    m_object = nullptr;
  }
  if (m_frame != nullptr) {
    // A control that never left the user interface would otherwise be kept
    // alive by its own frame.
    m_frame->SetActiveObject(nullptr, nullptr);
    m_frame->Release();
    m_frame = nullptr;
  }
  if (m_controlWindow != nullptr && ::IsWindow(m_controlWindow)) ::DestroyWindow(m_controlWindow);
  m_controlWindow = nullptr;
}

void COleControlSite::SetObjectRects(const RECT& rect) {
  if (m_inPlace == nullptr || m_settingRects) return;
  m_rect = rect;
  // The control usually moves its window to match, which comes back here.
  m_settingRects = true;
  m_inPlace->SetObjectRects(&m_rect, &m_rect);
  m_settingRects = false;
}

BOOL COleControlSite::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || m_object == nullptr) return FALSE;
  IOleInPlaceActiveObject* active = m_frame != nullptr ? m_frame->ActiveObject() : nullptr;
  if (active != nullptr) {
    active->AddRef();
  } else if (FAILED(m_object->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&active)))) {
    return FALSE;
  }
  const HRESULT hr = active->TranslateAccelerator(pMsg);
  active->Release();
  return hr == S_OK;
}

HRESULT COleControlSite::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite)) {
    *ppv = static_cast<IOleClientSite*>(this);
  } else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite) ||
             IsEqualIID(riid, IID_IOleInPlaceSiteEx)) {
    *ppv = static_cast<IOleInPlaceSiteEx*>(this);
  } else if (IsEqualIID(riid, IID_IOleControlSite)) {
    *ppv = static_cast<IOleControlSite*>(this);
  } else {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG COleControlSite::AddRef() { return ++m_references; }

ULONG COleControlSite::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT COleControlSite::SaveObject() { return E_NOTIMPL; }

HRESULT COleControlSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk) {
  if (ppmk != nullptr) *ppmk = nullptr;
  return E_NOTIMPL;
}

HRESULT COleControlSite::GetContainer(IOleContainer** ppContainer) {
  if (ppContainer != nullptr) *ppContainer = nullptr;
  return E_NOINTERFACE;
}

HRESULT COleControlSite::ShowObject() { return S_OK; }
HRESULT COleControlSite::OnShowWindow(BOOL) { return S_OK; }
HRESULT COleControlSite::RequestNewObjectLayout() { return E_NOTIMPL; }

HRESULT COleControlSite::GetWindow(HWND* phwnd) {
  if (phwnd == nullptr) return E_POINTER;
  *phwnd = m_parent;
  return S_OK;
}

HRESULT COleControlSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
HRESULT COleControlSite::CanInPlaceActivate() { return S_OK; }

HRESULT COleControlSite::OnInPlaceActivate() {
  if (m_inPlace == nullptr && m_object != nullptr)
    m_object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_inPlace));
  return S_OK;
}

HRESULT COleControlSite::OnUIActivate() { return S_OK; }

HRESULT COleControlSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                          LPRECT lprcPosRect, LPRECT lprcClipRect,
                                          LPOLEINPLACEFRAMEINFO lpFrameInfo) {
  if (ppFrame == nullptr || ppDoc == nullptr || lprcPosRect == nullptr || lprcClipRect == nullptr)
    return E_POINTER;
  const HWND topLevel = ::GetAncestor(m_parent, GA_ROOT);
  if (m_frame == nullptr) m_frame = new (std::nothrow) COleControlFrame(topLevel);
  if (m_frame == nullptr) return E_OUTOFMEMORY;
  m_frame->AddRef();
  *ppFrame = m_frame;
  // The frame is the only user-interface window there is.
  *ppDoc = nullptr;
  *lprcPosRect = m_rect;
  *lprcClipRect = m_rect;
  if (lpFrameInfo != nullptr) {
    lpFrameInfo->fMDIApp = FALSE;
    lpFrameInfo->hwndFrame = topLevel;
    lpFrameInfo->haccel = nullptr;
    lpFrameInfo->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT COleControlSite::Scroll(SIZE) { return E_NOTIMPL; }
HRESULT COleControlSite::OnUIDeactivate(BOOL) { return S_OK; }
HRESULT COleControlSite::OnInPlaceDeactivate() { return S_OK; }
HRESULT COleControlSite::DiscardUndoState() { return S_OK; }

HRESULT COleControlSite::DeactivateAndUndo() {
  if (m_inPlace != nullptr) m_inPlace->UIDeactivate();
  return S_OK;
}

HRESULT COleControlSite::OnPosRectChange(LPCRECT lprcPosRect) {
  if (lprcPosRect == nullptr) return E_POINTER;
  SetObjectRects(*lprcPosRect);
  return S_OK;
}

HRESULT COleControlSite::OnInPlaceActivateEx(BOOL* pfNoRedraw, DWORD) {
  if (pfNoRedraw != nullptr) *pfNoRedraw = FALSE;
  return OnInPlaceActivate();
}

HRESULT COleControlSite::OnInPlaceDeactivateEx(BOOL) { return OnInPlaceDeactivate(); }
HRESULT COleControlSite::RequestUIActivate() { return S_OK; }

HRESULT COleControlSite::OnControlInfoChanged() { return S_OK; }
HRESULT COleControlSite::LockInPlaceActive(BOOL) { return S_OK; }

HRESULT COleControlSite::GetExtendedControl(IDispatch** ppDisp) {
  if (ppDisp != nullptr) *ppDisp = nullptr;
  return E_NOTIMPL;
}

HRESULT COleControlSite::TransformCoords(POINTL*, POINTF*, DWORD) { return E_NOTIMPL; }
HRESULT COleControlSite::TranslateAccelerator(MSG*, DWORD) { return S_FALSE; }
HRESULT COleControlSite::OnFocus(BOOL) { return S_OK; }
HRESULT COleControlSite::ShowPropertyFrame() { return E_NOTIMPL; }

BOOL CWnd::CreateControl(REFCLSID clsid, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                         CWnd* pParentWnd, UINT nID) {
  if (m_pCtrlSite != nullptr || m_hWnd != nullptr || pParentWnd->GetSafeHwnd() == nullptr) return FALSE;
  auto* site = new (std::nothrow) COleControlSite(this);
  if (site == nullptr) return FALSE;
  m_pCtrlSite = site;
  if (FAILED(site->CreateControl(clsid, lpszWindowName, dwStyle, rect, pParentWnd, nID))) {
    m_pCtrlSite = nullptr;
    site->Release();
    return FALSE;
  }
  return TRUE;
}

BOOL CWnd::DestroyControlSite() {
  COleControlSite* site = m_pCtrlSite;
  m_pCtrlSite = nullptr;
  site->DestroyControl();
  site->Release();
  return TRUE;
}

void CWnd::OnControlMoved() {
  CRect rect;
  ::GetWindowRect(m_hWnd, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&rect), 2);
  m_pCtrlSite->SetObjectRects(rect);
}

BOOL CWnd::PreTranslateControlMessage(MSG* pMsg) {
  return m_pCtrlSite != nullptr && m_pCtrlSite->PreTranslateMessage(pMsg);
}

void CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...) {
  if (m_pCtrlSite == nullptr) AfxThrowOleException(E_UNEXPECTED);
  va_list args;
  va_start(args, pbParamInfo);
  try {
    m_pCtrlSite->m_dispatch.InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, args);
  } catch (...) {
    va_end(args);
    throw;
  }
  va_end(args);
}
