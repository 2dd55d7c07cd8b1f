#include "ole_drop_target.h"

#include <cstring>

#include "file.h"
#include "view.h"
#include "wnd.h"

namespace {

// Memory that belongs to the file and goes with it.
class CGlobalDataFile : public CSharedFile {
 public:
  explicit CGlobalDataFile(HGLOBAL memory) : m_hOwned(memory) { SetHandle(memory, FALSE); }
  ~CGlobalDataFile() override {
    Close();
    ::GlobalFree(m_hOwned);
  }

 private:
  HGLOBAL m_hOwned;
};

// The whole stream from its start in new memory; null on a read error.
HGLOBAL ReadStream(IStream* stream) {
  LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  SIZE_T size = 0;
  SIZE_T capacity = 4096;
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, capacity);
  for (;;) {
    if (memory == nullptr) return nullptr;
    if (size == capacity) {
      HGLOBAL grown = ::GlobalReAlloc(memory, capacity * 2, GMEM_MOVEABLE);
      if (grown == nullptr) break;
      memory = grown;
      capacity *= 2;
    }
    BYTE* bytes = static_cast<BYTE*>(::GlobalLock(memory));
    ULONG read = 0;
    HRESULT result = stream->Read(bytes + size, static_cast<ULONG>(capacity - size), &read);
    ::GlobalUnlock(memory);
    if (FAILED(result)) break;
    size += read;
    if (read == 0) {
      // The file's length is the memory's size.
      HGLOBAL fitted = ::GlobalReAlloc(memory, size, GMEM_MOVEABLE);
      return fitted != nullptr ? fitted : memory;
    }
  }
  ::GlobalFree(memory);
  return nullptr;
}

}  // namespace

HGLOBAL CopyGlobalMemory(HGLOBAL memory) {
  if (memory == nullptr) return nullptr;
  SIZE_T size = ::GlobalSize(memory);
  HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size != 0 ? size : 1);
  if (copy == nullptr) return nullptr;
  const void* from = ::GlobalLock(memory);
  void* to = ::GlobalLock(copy);
  if (from == nullptr || to == nullptr) {
    if (from != nullptr) ::GlobalUnlock(memory);
    if (to != nullptr) ::GlobalUnlock(copy);
    ::GlobalFree(copy);
    return nullptr;
  }
  std::memcpy(to, from, size);
  ::GlobalUnlock(copy);
  ::GlobalUnlock(memory);
  return copy;
}

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

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat) {
  if (m_lpDataObject == nullptr) return nullptr;
  FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium = {};
  if (m_lpDataObject->GetData(&format, &medium) != S_OK) return nullptr;
  if (medium.tymed != TYMED_HGLOBAL) {
    ::ReleaseStgMedium(&medium);
    return nullptr;
  }
  // Memory the source keeps for itself is copied.
  if (medium.pUnkForRelease == nullptr) return medium.hGlobal;
  HGLOBAL copy = CopyGlobalMemory(medium.hGlobal);
  ::ReleaseStgMedium(&medium);
  return copy;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat) {
  if (m_lpDataObject == nullptr) return nullptr;
  FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL | TYMED_ISTREAM};
  STGMEDIUM medium = {};
  if (m_lpDataObject->GetData(&format, &medium) != S_OK) return nullptr;
  HGLOBAL memory = nullptr;
  if (medium.tymed == TYMED_HGLOBAL && medium.pUnkForRelease == nullptr) {
    memory = medium.hGlobal;
  } else {
    if (medium.tymed == TYMED_HGLOBAL) memory = CopyGlobalMemory(medium.hGlobal);
    else if (medium.tymed == TYMED_ISTREAM && medium.pstm != nullptr) memory = ReadStream(medium.pstm);
    ::ReleaseStgMedium(&medium);
  }
  return memory != nullptr ? new CGlobalDataFile(memory) : nullptr;
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
