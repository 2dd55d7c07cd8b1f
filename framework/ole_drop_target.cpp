#include "ole_drop_target.h"

#include "view.h"
#include "wnd.h"

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease) {
  Release();
  m_lpDataObject = lpDataObject;
  m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach() {
  LPDATAOBJECT data = m_lpDataObject;
  m_lpDataObject = nullptr;
  return data;
}

void COleDataObject::Release() {
  if (m_lpDataObject != nullptr && m_bAutoRelease) m_lpDataObject->Release();
  m_lpDataObject = nullptr;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat) const {
  if (m_lpDataObject == nullptr) return FALSE;
  FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_FILE};
  return m_lpDataObject->QueryGetData(&format) == S_OK;
}

COleDropTarget::COleDropTarget() { m_target.owner = this; }

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd) {
  if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr) return FALSE;
  Revoke();
  if (FAILED(::RegisterDragDrop(pWnd->GetSafeHwnd(), &m_target))) return FALSE;
  m_hWnd = pWnd->GetSafeHwnd();
  return TRUE;
}

void COleDropTarget::Revoke() {
  if (m_hWnd == nullptr) return;
  ::RevokeDragDrop(m_hWnd);
  m_hWnd = nullptr;
  m_data.Release();
}

CWnd* COleDropTarget::Window() const { return CWnd::FromHandle(m_hWnd); }

CPoint COleDropTarget::ClientPoint(POINTL pt) const {
  POINT point = {pt.x, pt.y};
  if (m_hWnd != nullptr) ::ScreenToClient(m_hWnd, &point);
  return CPoint(point);
}

// A view answers for itself; any other window accepts nothing.
DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  CView* view = dynamic_cast<CView*>(pWnd);
  return view != nullptr ? view->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  CView* view = dynamic_cast<CView*>(pWnd);
  return view != nullptr ? view->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*) {}

BOOL COleDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) {
  CView* view = dynamic_cast<CView*>(pWnd);
  return view != nullptr && view->OnDrop(pDataObject, dropEffect, point);
}

HRESULT COleDropTarget::DropTarget::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
    *ppv = static_cast<IDropTarget*>(this);
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

// No C++ exception may cross back into OLE.
HRESULT COleDropTarget::DropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  try {
    if (data != nullptr) data->AddRef();
    owner->m_data.Attach(data);
    *effect = owner->OnDragEnter(owner->Window(), &owner->m_data, keys, owner->ClientPoint(pt));
  } catch (...) {
    *effect = DROPEFFECT_NONE;
  }
  return S_OK;
}

HRESULT COleDropTarget::DropTarget::DragOver(DWORD keys, POINTL pt, DWORD* effect) {
  try {
    *effect = owner->OnDragOver(owner->Window(), &owner->m_data, keys, owner->ClientPoint(pt));
  } catch (...) {
    *effect = DROPEFFECT_NONE;
  }
  return S_OK;
}

HRESULT COleDropTarget::DropTarget::DragLeave() {
  try {
    owner->OnDragLeave(owner->Window());
  } catch (...) {
  }
  owner->m_data.Release();
  return S_OK;
}

HRESULT COleDropTarget::DropTarget::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  try {
    COleDataObject dropped;
    if (data != nullptr) data->AddRef();
    dropped.Attach(data);
    CPoint point = owner->ClientPoint(pt);
    DROPEFFECT wanted = owner->OnDragOver(owner->Window(), &dropped, keys, point);
    if (!owner->OnDrop(owner->Window(), &dropped, wanted & *effect, point)) wanted = DROPEFFECT_NONE;
    *effect = wanted & *effect;
  } catch (...) {
    *effect = DROPEFFECT_NONE;
  }
  owner->m_data.Release();
  return S_OK;
}
