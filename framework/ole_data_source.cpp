#include "ole_data_source.h"

#include <shlobj.h>

namespace {

// Ends the drag when the button that started it comes up, cancels it on
// Escape. It lives on the stack for one drag: OLE keeps no reference after.
struct DropSource : IDropSource {
  DWORD button = MK_LBUTTON;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
      *ppv = static_cast<IDropSource*>(this);
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override {
    if (escapePressed) return DRAGDROP_S_CANCEL;
    return (keyState & button) == 0 ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

COleDataSource::COleDataSource() { m_dataObject.owner = this; }

COleDataSource::~COleDataSource() { Empty(); }

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc) {
  FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  if (lpFormatEtc != nullptr) {
    format = *lpFormatEtc;
    format.cfFormat = cfFormat;
    format.tymed = TYMED_HGLOBAL;
  }
  for (Entry& entry : m_entries) {
    if (entry.format.cfFormat == format.cfFormat && entry.format.dwAspect == format.dwAspect &&
        entry.format.lindex == format.lindex) {
      if (entry.memory != hGlobal) ::GlobalFree(entry.memory);
      entry.memory = hGlobal;
      return;
    }
  }
  format.ptd = nullptr;  // no target devices: the data is the same for all
  m_entries.push_back({format, hGlobal});
}

void COleDataSource::Empty() {
  for (Entry& entry : m_entries) ::GlobalFree(entry.memory);
  m_entries.clear();
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects) {
  DropSource source;
  // A drag started with no button held (by a program) ends when the left
  // button comes up.
  if (::GetKeyState(VK_LBUTTON) >= 0) {
    if (::GetKeyState(VK_RBUTTON) < 0) source.button = MK_RBUTTON;
    else if (::GetKeyState(VK_MBUTTON) < 0) source.button = MK_MBUTTON;
  }
  DWORD effect = DROPEFFECT_NONE;
  // Alive through the loop whatever the targets do with their references.
  InternalAddRef();
  HRESULT result = ::DoDragDrop(&m_dataObject, &source, dwEffects, &effect);
  InternalRelease();
  return result == DRAGDROP_S_DROP ? effect & dwEffects : DROPEFFECT_NONE;
}

LPUNKNOWN COleDataSource::GetInterface(const IID& iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) return &m_dataObject;
  return nullptr;
}

const COleDataSource::Entry* COleDataSource::Find(const FORMATETC* format, HRESULT* why) const {
  *why = DV_E_FORMATETC;
  if (format == nullptr) return nullptr;
  for (const Entry& entry : m_entries) {
    if (entry.format.cfFormat != format->cfFormat) continue;
    if (entry.format.dwAspect != format->dwAspect) {
      *why = DV_E_DVASPECT;
      continue;
    }
    if ((format->tymed & TYMED_HGLOBAL) == 0) {
      *why = DV_E_TYMED;
      continue;
    }
    return &entry;
  }
  return nullptr;
}

HRESULT COleDataSource::DataObject::QueryInterface(REFIID riid, void** ppv) {
  return static_cast<HRESULT>(owner->ExternalQueryInterface(&riid, ppv));
}

// The receiver frees what it gets: it gets a copy.
HRESULT COleDataSource::DataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (medium == nullptr) return E_POINTER;
  HRESULT why = S_OK;
  const Entry* entry = owner->Find(format, &why);
  if (entry == nullptr) return why;
  HGLOBAL copy = CopyGlobalMemory(entry->memory);
  if (copy == nullptr) return E_OUTOFMEMORY;
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = copy;
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

HRESULT COleDataSource::DataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT COleDataSource::DataObject::QueryGetData(FORMATETC* format) {
  HRESULT why = S_OK;
  return owner->Find(format, &why) != nullptr ? S_OK : why;
}

HRESULT COleDataSource::DataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (out == nullptr) return E_POINTER;
  out->ptd = nullptr;
  return E_NOTIMPL;
}

HRESULT COleDataSource::DataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

HRESULT COleDataSource::DataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
  if (formats == nullptr) return E_POINTER;
  *formats = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  std::vector<FORMATETC> list;
  for (const Entry& entry : owner->m_entries) list.push_back(entry.format);
  return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(list.size()), list.data(), formats);
}

HRESULT COleDataSource::DataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
  return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT COleDataSource::DataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT COleDataSource::DataObject::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }
