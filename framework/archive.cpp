#include "archive.h"

#include <cstring>

namespace {

const WORD kNullTag = 0;
const WORD kNewClassTag = 0xFFFF;
const WORD kClassTag = 0x8000;
const WORD kBigObjectTag = 0x7FFF;
const DWORD kBigClassTag = 0x80000000;
const UINT kMaxClassName = 64;

}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*)
    : m_pFile(pFile), m_nMode(nMode), m_buffer(nBufSize >= 128 ? nBufSize : 128) {
  // Index 0 is the null object.
  m_loadArray.push_back({nullptr, false, 0});
}

CArchive::~CArchive() {
  if (m_pFile != nullptr && IsStoring() && (m_nMode & bNoFlushOnDelete) == 0) {
    try {
      Flush();
    } catch (CException* e) {
      e->Delete();
    }
  }
}

void CArchive::Throw(int cause) {
  AfxThrowArchiveException(cause, m_pFile != nullptr ? m_pFile->GetFilePath() : CString());
}

void CArchive::FillBuffer() {
  m_nBufferFill = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
  m_nBufferPos = 0;
  if (m_nBufferFill == 0) m_bEndOfFile = true;
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  if (!IsLoading()) Throw(CArchiveException::writeOnly);
  BYTE* out = static_cast<BYTE*>(lpBuf);
  UINT done = 0;
  while (done < nMax) {
    if (m_nBufferPos == m_nBufferFill) {
      if (m_bEndOfFile) break;
      FillBuffer();
      continue;
    }
    UINT n = m_nBufferFill - m_nBufferPos;
    if (n > nMax - done) n = nMax - done;
    std::memcpy(out + done, m_buffer.data() + m_nBufferPos, n);
    m_nBufferPos += n;
    done += n;
  }
  return done;
}

void CArchive::ReadExactly(void* lpBuf, UINT nCount) {
  if (Read(lpBuf, nCount) != nCount) Throw(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  if (!IsStoring()) Throw(CArchiveException::readOnly);
  const BYTE* in = static_cast<const BYTE*>(lpBuf);
  while (nMax > 0) {
    if (m_nBufferFill == m_buffer.size()) Flush();
    UINT n = static_cast<UINT>(m_buffer.size()) - m_nBufferFill;
    if (n > nMax) n = nMax;
    std::memcpy(m_buffer.data() + m_nBufferFill, in, n);
    m_nBufferFill += n;
    in += n;
    nMax -= n;
  }
}

void CArchive::Flush() {
  if (IsStoring() && m_nBufferFill > 0) {
    UINT n = m_nBufferFill;
    m_nBufferFill = 0;
    m_pFile->Write(m_buffer.data(), n);
  }
}

void CArchive::Close() {
  if (m_pFile != nullptr) Flush();
  m_pFile = nullptr;
}

void CArchive::Abort() {
  m_nBufferFill = 0;
  m_pFile = nullptr;
}

void CArchive::WriteCount(DWORD_PTR dwCount) {
  if (dwCount < 0xFFFF) {
    *this << static_cast<WORD>(dwCount);
  } else {
    *this << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(dwCount);
  }
}

DWORD_PTR CArchive::ReadCount() {
  WORD w;
  *this >> w;
  if (w != 0xFFFF) return w;
  DWORD dw;
  *this >> dw;
  return dw;
}

bool CArchive::WriteReference(const void* pStored, bool isClass) {
  auto found = m_storeMap.find(pStored);
  if (found == m_storeMap.end()) return false;
  DWORD index = found->second;
  if (index < kBigObjectTag) {
    *this << static_cast<WORD>(isClass ? kClassTag | index : index);
  } else {
    *this << kBigObjectTag << static_cast<DWORD>(isClass ? kBigClassTag | index : index);
  }
  return true;
}

void CArchive::MapStored(const void* pStored) {
  // Classes and objects share one numbering, in the order first written.
  m_storeMap.emplace(pStored, static_cast<DWORD>(m_storeMap.size() + 1));
}

void CRuntimeClass::Store(CArchive& ar) const {
  WORD length = static_cast<WORD>(std::strlen(m_lpszClassName));
  ar << static_cast<WORD>(m_wSchema) << length;
  ar.Write(m_lpszClassName, length);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum) {
  WORD schema, length;
  ar >> schema >> length;
  char name[kMaxClassName + 1];
  if (length >= kMaxClassName) return nullptr;
  if (ar.Read(name, length) != length) AfxThrowArchiveException(CArchiveException::endOfFile);
  name[length] = 0;
  *pwSchemaNum = schema;
  return FromName(name);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
  if (!IsStoring()) Throw(CArchiveException::readOnly);
  // A class that is not serial may still be named (schema 0xFFFF), as the
  // toolkit's settings exchange does; only its objects cannot be written.
  if (WriteReference(pClassRef, true)) return;
  *this << kNewClassTag;
  pClassRef->Store(*this);
  MapStored(pClassRef);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema,
                                   DWORD* pObTag) {
  if (!IsLoading()) Throw(CArchiveException::writeOnly);
  WORD tag;
  *this >> tag;
  DWORD obTag;
  if (tag == kBigObjectTag) {
    *this >> obTag;
  } else {
    obTag = (static_cast<DWORD>(tag & kClassTag) << 16) | (tag & ~kClassTag);
  }

  CRuntimeClass* pClassRef;
  UINT schema;
  if (tag == kNewClassTag) {
    pClassRef = CRuntimeClass::Load(*this, &schema);
    if (pClassRef == nullptr) Throw(CArchiveException::badClass);
    if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != schema &&
        (pClassRef->m_wSchema & VERSIONABLE_SCHEMA) == 0)
      Throw(CArchiveException::badSchema);
    m_loadArray.push_back({pClassRef, true, schema});
  } else if ((obTag & kBigClassTag) != 0) {
    DWORD index = obTag & ~kBigClassTag;
    if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].isClass)
      Throw(CArchiveException::badIndex);
    pClassRef = static_cast<CRuntimeClass*>(m_loadArray[index].pointer);
    schema = m_loadArray[index].schema;
  } else {
    // A reference to an object already read (or the null object).
    if (pObTag == nullptr) Throw(CArchiveException::badIndex);
    *pObTag = obTag;
    return nullptr;
  }
  if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
    Throw(CArchiveException::badClass);
  if (pSchema != nullptr) *pSchema = schema;
  else m_nObjectSchema = schema;
  return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef) {
  if (IsStoring()) WriteClass(pClassRef);
  else ReadClass(pClassRef);
}

void CArchive::WriteObject(const CObject* pOb) {
  if (pOb == nullptr) {
    *this << kNullTag;
    return;
  }
  if (WriteReference(pOb, false)) return;
  if (pOb->GetRuntimeClass()->m_wSchema == 0xFFFF) AfxThrowNotSupportedException();
  WriteClass(pOb->GetRuntimeClass());
  MapStored(pOb);
  const_cast<CObject*>(pOb)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
  UINT schema;
  DWORD obTag = 0;
  CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &schema, &obTag);
  if (pClassRef == nullptr) {
    if (obTag >= m_loadArray.size() || m_loadArray[obTag].isClass)
      Throw(CArchiveException::badIndex);
    CObject* pOb = static_cast<CObject*>(m_loadArray[obTag].pointer);
    if (pOb != nullptr && pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
      Throw(CArchiveException::badClass);
    return pOb;
  }
  CObject* pOb = pClassRef->CreateObject();
  if (pOb == nullptr) Throw(CArchiveException::badClass);
  m_loadArray.push_back({pOb, false, schema});
  UINT savedSchema = m_nObjectSchema;
  m_nObjectSchema = schema;
  try {
    pOb->Serialize(*this);
  } catch (...) {
    // The table still names it, but nobody else holds it.
    m_loadArray.back().pointer = nullptr;
    delete pOb;
    throw;
  }
  m_nObjectSchema = savedSchema;
  return pOb;
}

void CArchive::MapObject(const CObject* pOb) {
  if (IsStoring()) {
    MapStored(pOb);
  } else {
    m_loadArray.push_back({const_cast<CObject*>(pOb), false, 0});
  }
}

UINT CArchive::GetObjectSchema() {
  UINT schema = m_nObjectSchema;
  m_nObjectSchema = static_cast<UINT>(-1);
  return schema;
}

// Strings: a length prefix (8 bits, or 0xFF and 16 bits, or 0xFF 0xFFFF
// and 32 bits); UTF-16 text is marked by 0xFF 0xFFFE before the prefix.
CArchive& operator<<(CArchive& ar, const CString& string) {
  DWORD length = static_cast<DWORD>(string.GetLength());
  ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFE);
  if (length < 0xFF) {
    ar << static_cast<BYTE>(length);
  } else if (length < 0xFFFE) {
    ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(length);
  } else {
    ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << length;
  }
  ar.Write(static_cast<LPCWSTR>(string), length * sizeof(WCHAR));
  return ar;
}

namespace {

DWORD ReadStringLength(CArchive& ar, bool& unicode) {
  BYTE b;
  ar >> b;
  if (b < 0xFF) return b;
  WORD w;
  ar >> w;
  if (w == 0xFFFE) {
    unicode = true;
    return ReadStringLength(ar, unicode);
  }
  if (w < 0xFFFF) return w;
  DWORD dw;
  ar >> dw;
  return dw;
}

}  // namespace

CArchive& operator>>(CArchive& ar, CString& string) {
  bool unicode = false;
  DWORD length = ReadStringLength(ar, unicode);
  UINT unit = unicode ? sizeof(WCHAR) : 1;
  // Read in pieces so that a damaged length fails at the end of the file
  // instead of allocating whatever it says.
  std::vector<BYTE> bytes;
  BYTE piece[4096];
  for (DWORD left = length; left > 0;) {
    UINT n = left > sizeof piece / unit ? sizeof piece / unit : left;
    if (ar.Read(piece, n * unit) != n * unit) AfxThrowArchiveException(CArchiveException::endOfFile);
    bytes.insert(bytes.end(), piece, piece + n * unit);
    left -= n;
  }
  if (unicode) {
    string = CString(length != 0 ? reinterpret_cast<LPCWSTR>(bytes.data()) : L"",
                     static_cast<int>(length));
  } else {
    bytes.push_back(0);
    string = CString(reinterpret_cast<LPCSTR>(bytes.data()));
  }
  return ar;
}
