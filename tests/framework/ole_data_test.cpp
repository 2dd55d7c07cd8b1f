// A data source's cached memory read back through a data object over its
// IDataObject: as memory, as a file, and formats it does not hold.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "file.h"
#include "ole_data_source.h"

namespace {

HGLOBAL MemoryWith(const std::string& bytes) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(::GlobalLock(memory), bytes.data(), bytes.size());
  ::GlobalUnlock(memory);
  return memory;
}

std::string BytesOf(HGLOBAL memory) {
  std::string bytes(static_cast<const char*>(::GlobalLock(memory)), ::GlobalSize(memory));
  ::GlobalUnlock(memory);
  return bytes;
}

TEST(OleDataSource, CachedMemoryReadsBackAsMemoryAndAsAFile) {
  const CLIPFORMAT custom = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Mulvara test data"));
  auto* source = new COleDataSource;
  source->CacheGlobalData(CF_TEXT, MemoryWith("old"));
  source->CacheGlobalData(CF_TEXT, MemoryWith("text"));  // replaces
  source->CacheGlobalData(custom, MemoryWith(std::string("a\0b", 3)));
  COleDataObject data;
  auto* face = static_cast<LPDATAOBJECT>(source->GetInterface(IID_IDataObject));
  ASSERT_NE(nullptr, face);
  face->AddRef();
  data.Attach(face);

  EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
  EXPECT_TRUE(data.IsDataAvailable(custom));
  EXPECT_FALSE(data.IsDataAvailable(CF_BITMAP));
  EXPECT_EQ(nullptr, data.GetGlobalData(CF_BITMAP));
  EXPECT_EQ(nullptr, data.GetFileData(CF_BITMAP));

  // Each read is a copy of its own.
  for (int round = 0; round < 2; ++round) {
    HGLOBAL text = data.GetGlobalData(CF_TEXT);
    ASSERT_NE(nullptr, text);
    EXPECT_EQ("text", BytesOf(text));
    ::GlobalFree(text);
  }
  CFile* file = data.GetFileData(custom);
  ASSERT_NE(nullptr, file);
  EXPECT_EQ(3u, file->GetLength());
  char read[8] = {};
  EXPECT_EQ(3u, file->Read(read, sizeof(read)));
  EXPECT_EQ(std::string("a\0b", 3), std::string(read, 3));
  delete file;

  // The formats it offers, and only for reading.
  IEnumFORMATETC* formats = nullptr;
  ASSERT_EQ(S_OK, face->EnumFormatEtc(DATADIR_GET, &formats));
  FORMATETC listed[4];
  ULONG count = 0;
  formats->Next(4, listed, &count);
  formats->Release();
  EXPECT_EQ(2u, count);
  EXPECT_EQ(E_NOTIMPL, face->EnumFormatEtc(DATADIR_SET, &formats));
  FORMATETC asStream = {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
  EXPECT_EQ(DV_E_TYMED, face->QueryGetData(&asStream));

  // The data object keeps the source alive after its maker let go.
  source->InternalRelease();
  HGLOBAL text = data.GetGlobalData(CF_TEXT);
  ASSERT_NE(nullptr, text);
  EXPECT_EQ("text", BytesOf(text));
  ::GlobalFree(text);
  data.Release();
}

// A data object that hands its data out as a stream, as other programs do.
struct StreamData : IDataObject {
  std::string bytes;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override {
    *ppv = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if ((format->tymed & TYMED_ISTREAM) == 0) return DV_E_TYMED;
    IStream* stream = nullptr;
    ::CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    medium->tymed = TYMED_ISTREAM;
    medium->pstm = stream;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

TEST(OleDataSource, AStreamIsReadAsAFileOfItsLength) {
  for (size_t size : {size_t(0), size_t(5), size_t(10000)}) {
    StreamData source;
    for (size_t i = 0; i < size; ++i) source.bytes += static_cast<char>('a' + i % 26);
    COleDataObject data;
    data.Attach(&source, FALSE);
    CFile* file = data.GetFileData(CF_TEXT);
    ASSERT_NE(nullptr, file) << size;
    EXPECT_EQ(size, file->GetLength());
    std::string read(size, '\0');
    if (size != 0) file->Read(&read[0], static_cast<UINT>(size));
    EXPECT_EQ(source.bytes, read) << size;
    delete file;
    EXPECT_EQ(nullptr, data.GetGlobalData(CF_TEXT)) << "no memory offered";
  }
}

}  // namespace
