// The source side of OLE drag and drop: data cached in global memory by
// clipboard format, offered through an IDataObject of its own, and the drag
// itself with an IDropSource of its own. The object is reference counted:
// make it with new and let go of it with InternalRelease, since a drop
// target may still hold its data object when the drag is over.
#pragma once

#include <ole2.h>

#include <vector>

#include "cmd_target.h"
#include "ole_drop_target.h"

class COleDataSource : public CCmdTarget {
 public:
  COleDataSource();
  ~COleDataSource() override;
  COleDataSource(const COleDataSource&) = delete;
  COleDataSource& operator=(const COleDataSource&) = delete;

  // The source owns hGlobal from now on; data cached earlier under the same
  // format and aspect is freed.
  void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
  void Empty();
  // Runs OLE's drag loop until the drop or the cancel (Escape, or the
  // button that started it released over no target); the effect the drop
  // target chose, DROPEFFECT_NONE when cancelled.
  DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);

  // IUnknown and IDataObject answer with the data object (not referenced).
  LPUNKNOWN GetInterface(const IID& iid) override;

 private:
  struct Entry {
    FORMATETC format;
    HGLOBAL memory;
  };
  // The COM face; its references are the object's own.
  struct DataObject : IDataObject {
    COleDataSource* owner = nullptr;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return owner->ExternalAddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner->ExternalRelease(); }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override;
  };
  const Entry* Find(const FORMATETC* format, HRESULT* why) const;

  DataObject m_dataObject;
  std::vector<Entry> m_entries;
};
