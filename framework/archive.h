// CArchive: typed, buffered reads and writes of values and objects over a
// CFile, in the framework's binary format (little-endian values, compact
// counts, class records with schemas, back references to objects).
#pragma once

#include <unordered_map>
#include <vector>

#include "cstring.h"
#include "file.h"

#define VERSIONABLE_SCHEMA (0x80000000)

class CArchive {
 public:
  enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  CFile* GetFile() const { return m_pFile; }

  // Returns fewer bytes than asked at the end of the file.
  UINT Read(void* lpBuf, UINT nMax);
  void Write(const void* lpBuf, UINT nMax);
  void Flush();
  void Close();
  void Abort();

  // 16 bits, or 0xFFFF and 32 bits for large counts.
  void WriteCount(DWORD_PTR dwCount);
  DWORD_PTR ReadCount();

  void WriteClass(const CRuntimeClass* pClassRef);
  CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr,
                           UINT* pSchema = nullptr, DWORD* pObTag = nullptr);
  void SerializeClass(const CRuntimeClass* pClassRef);
  void WriteObject(const CObject* pOb);
  CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
  // Enters an object that is not serialized here into the object table so
  // that later references to it are written or resolved as references.
  void MapObject(const CObject* pOb);
  UINT GetObjectSchema();
  void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

  CArchive& operator<<(BYTE by) { return Store(by); }
  CArchive& operator<<(WORD w) { return Store(w); }
  CArchive& operator<<(short w) { return Store(w); }
  CArchive& operator<<(int i) { return Store(i); }
  CArchive& operator<<(unsigned int u) { return Store(u); }
  CArchive& operator<<(LONG l) { return Store(l); }
  CArchive& operator<<(DWORD dw) { return Store(dw); }
  CArchive& operator<<(LONGLONG l) { return Store(l); }
  CArchive& operator<<(ULONGLONG l) { return Store(l); }
  CArchive& operator<<(float f) { return Store(f); }
  CArchive& operator<<(double d) { return Store(d); }
  CArchive& operator<<(const CObject* pOb) { WriteObject(pOb); return *this; }

  CArchive& operator>>(BYTE& by) { return Load(by); }
  CArchive& operator>>(WORD& w) { return Load(w); }
  CArchive& operator>>(short& w) { return Load(w); }
  CArchive& operator>>(int& i) { return Load(i); }
  CArchive& operator>>(unsigned int& u) { return Load(u); }
  CArchive& operator>>(LONG& l) { return Load(l); }
  CArchive& operator>>(DWORD& dw) { return Load(dw); }
  CArchive& operator>>(LONGLONG& l) { return Load(l); }
  CArchive& operator>>(ULONGLONG& l) { return Load(l); }
  CArchive& operator>>(float& f) { return Load(f); }
  CArchive& operator>>(double& d) { return Load(d); }
  CArchive& operator>>(CObject*& pOb) { pOb = ReadObject(nullptr); return *this; }

 private:
  template <class T>
  CArchive& Store(T value) {
    Write(&value, sizeof value);
    return *this;
  }
  template <class T>
  CArchive& Load(T& value) {
    ReadExactly(&value, sizeof value);
    return *this;
  }
  void ReadExactly(void* lpBuf, UINT nCount);
  void FillBuffer();
  // Writes the back reference to a class or object already written, if it is.
  bool WriteReference(const void* pStored, bool isClass);
  // Numbers a class or object written (or mapped) for the first time.
  void MapStored(const void* pStored);
  [[noreturn]] void Throw(int cause);

  struct LoadedEntry {
    void* pointer;
    bool isClass;
    UINT schema;
  };

  CFile* m_pFile;
  UINT m_nMode;
  std::vector<BYTE> m_buffer;
  UINT m_nBufferFill = 0;  // bytes held (loading) or waiting (storing)
  UINT m_nBufferPos = 0;   // next byte to hand out when loading
  bool m_bEndOfFile = false;
  UINT m_nObjectSchema = static_cast<UINT>(-1);
  std::unordered_map<const void*, DWORD> m_storeMap;
  std::vector<LoadedEntry> m_loadArray;
};
