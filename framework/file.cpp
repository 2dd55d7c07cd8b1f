#include "file.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)
IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CFile::CFile(LPCWSTR lpszFileName, UINT nOpenFlags) {
  CFileException error;
  if (!Open(lpszFileName, nOpenFlags, &error))
    AfxThrowFileException(error.m_cause, error.m_lOsError, lpszFileName);
}

CFile::~CFile() {
  if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete) CloseHandle(m_hFile);
}

BOOL CFile::Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  if (m_hFile != INVALID_HANDLE_VALUE) Close();
  m_strFileName = lpszFileName;
  DWORD access = 0;
  switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
  }
  DWORD share = 0;
  switch (nOpenFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;
  }
  SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, (nOpenFlags & modeNoInherit) == 0};
  DWORD creation = OPEN_EXISTING;
  if (nOpenFlags & modeCreate) creation = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  HANDLE h = CreateFileW(lpszFileName, access, share, &sa, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    if (pError != nullptr) {
      pError->m_lOsError = static_cast<LONG>(GetLastError());
      pError->m_cause = CFileException::OsErrorToException(pError->m_lOsError);
      CFileException named(pError->m_cause, pError->m_lOsError, lpszFileName);
      std::memcpy(pError->m_strFileName, named.m_strFileName, sizeof named.m_strFileName);
    }
    return FALSE;
  }
  m_hFile = h;
  m_bCloseOnDelete = TRUE;
  return TRUE;
}

void CFile::Close() {
  BOOL failed = FALSE;
  if (m_hFile != INVALID_HANDLE_VALUE) failed = !CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
  m_bCloseOnDelete = FALSE;
  if (failed) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Abort() {
  if (m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0) return 0;
  DWORD read = 0;
  if (!ReadFile(m_hFile, lpBuf, nCount, &read, nullptr))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  return read;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  DWORD written = 0;
  if (!WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  if (written != nCount) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  LARGE_INTEGER distance, result;
  distance.QuadPart = lOff;
  if (!SetFilePointerEx(m_hFile, distance, &result, nFrom))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  return result.QuadPart;
}

ULONGLONG CFile::GetPosition() const {
  LARGE_INTEGER zero, result;
  zero.QuadPart = 0;
  if (!SetFilePointerEx(m_hFile, zero, &result, FILE_CURRENT))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  return result.QuadPart;
}

ULONGLONG CFile::GetLength() const {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(m_hFile, &size))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  return size.QuadPart;
}

void CFile::SetLength(ULONGLONG dwNewLen) {
  Seek(static_cast<LONGLONG>(dwNewLen), begin);
  if (!SetEndOfFile(m_hFile))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Flush() {
  if (m_hFile != INVALID_HANDLE_VALUE && !FlushFileBuffers(m_hFile))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

CString CFile::GetFileName() const {
  int slash = -1;
  for (int i = 0; i < m_strFileName.GetLength(); ++i)
    if (m_strFileName[i] == L'\\' || m_strFileName[i] == L'/' || m_strFileName[i] == L':') slash = i;
  return m_strFileName.Mid(slash + 1);
}

BOOL CFile::GetStatus(LPCWSTR lpszFileName, CFileStatus& rStatus) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(lpszFileName, GetFileExInfoStandard, &data)) return FALSE;
  rStatus.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  rStatus.m_attribute = static_cast<BYTE>(data.dwFileAttributes);
  if (GetFullPathNameW(lpszFileName, MAX_PATH, rStatus.m_szFullName, nullptr) == 0)
    rStatus.m_szFullName[0] = 0;
  return TRUE;
}

void CFile::SetStatus(LPCWSTR lpszFileName, const CFileStatus& status) {
  DWORD attributes = status.m_attribute != 0 ? status.m_attribute : FILE_ATTRIBUTE_NORMAL;
  if (!SetFileAttributesW(lpszFileName, attributes))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}

CMemFile::~CMemFile() {
  if (m_lpBuffer != nullptr) Close();
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
  m_lpBuffer = lpBuffer;
  m_nBufferSize = nBufferSize;
  m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
  m_nPosition = 0;
  m_nGrowBytes = nGrowBytes;
  m_bAutoDelete = nGrowBytes != 0;
}

BYTE* CMemFile::Detach() {
  BYTE* buffer = m_lpBuffer;
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  return buffer;
}

void CMemFile::Close() {
  if (m_lpBuffer != nullptr && m_bAutoDelete) Free(m_lpBuffer);
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
  if (m_nPosition >= m_nFileSize) return 0;
  SIZE_T available = m_nFileSize - m_nPosition;
  UINT n = nCount < available ? nCount : static_cast<UINT>(available);
  std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
  m_nPosition += n;
  return n;
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  SIZE_T end = m_nPosition + nCount;
  if (end < m_nPosition) AfxThrowFileException(CFileException::diskFull);
  if (end > m_nBufferSize) GrowFile(end);
  std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
  m_nPosition = end;
  if (end > m_nFileSize) m_nFileSize = end;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
  LONGLONG base = nFrom == begin ? 0 : nFrom == current ? static_cast<LONGLONG>(m_nPosition)
                                                        : static_cast<LONGLONG>(m_nFileSize);
  LONGLONG target = base + lOff;
  if (target < 0 || target > 0x7FFFFFFF) AfxThrowFileException(CFileException::badSeek);
  m_nPosition = static_cast<SIZE_T>(target);
  return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen) {
  if (dwNewLen > 0x7FFFFFFF) AfxThrowFileException(CFileException::diskFull);
  if (dwNewLen > m_nBufferSize) GrowFile(static_cast<SIZE_T>(dwNewLen));
  m_nFileSize = static_cast<SIZE_T>(dwNewLen);
  if (m_nPosition > m_nFileSize) m_nPosition = m_nFileSize;
}

void CMemFile::GrowFile(SIZE_T dwNewLen) {
  if (dwNewLen <= m_nBufferSize) return;
  if (m_nGrowBytes == 0) AfxThrowMemoryException();
  SIZE_T newSize = m_nBufferSize;
  while (newSize < dwNewLen) newSize += m_nGrowBytes;
  BYTE* grown = m_lpBuffer == nullptr ? Alloc(newSize) : Realloc(m_lpBuffer, newSize);
  if (grown == nullptr) AfxThrowMemoryException();
  m_lpBuffer = grown;
  m_nBufferSize = newSize;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes) { return static_cast<BYTE*>(std::malloc(nBytes)); }
BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes) {
  return static_cast<BYTE*>(std::realloc(lpMem, nBytes));
}
void CMemFile::Free(BYTE* lpMem) { std::free(lpMem); }

CSharedFile::~CSharedFile() {
  if (m_lpBuffer != nullptr) Close();
}

void CSharedFile::Close() {
  if (m_lpBuffer != nullptr && !m_bAutoDelete && m_hGlobalMemory != nullptr) {
    GlobalUnlock(m_hGlobalMemory);
    m_hGlobalMemory = nullptr;
  }
  CMemFile::Close();
}

HGLOBAL CSharedFile::Detach() {
  HGLOBAL handle = m_hGlobalMemory;
  if (handle != nullptr) GlobalUnlock(handle);
  m_hGlobalMemory = nullptr;
  m_lpBuffer = nullptr;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  return handle;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow) {
  if (m_lpBuffer != nullptr) Close();
  m_hGlobalMemory = hGlobalMemory;
  m_lpBuffer = static_cast<BYTE*>(GlobalLock(hGlobalMemory));
  m_nBufferSize = m_nFileSize = m_lpBuffer != nullptr ? GlobalSize(hGlobalMemory) : 0;
  m_nPosition = 0;
  m_bAllowGrow = bAllowGrow;
  // The caller keeps the memory.
  m_bAutoDelete = FALSE;
  if (!bAllowGrow) m_nGrowBytes = 0;
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes) {
  m_hGlobalMemory = GlobalAlloc(m_nAllocFlags, nBytes);
  return m_hGlobalMemory != nullptr ? static_cast<BYTE*>(GlobalLock(m_hGlobalMemory)) : nullptr;
}

BYTE* CSharedFile::Realloc(BYTE*, SIZE_T nBytes) {
  if (!m_bAllowGrow) return nullptr;
  GlobalUnlock(m_hGlobalMemory);
  HGLOBAL grown = GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags);
  if (grown == nullptr) {
    GlobalLock(m_hGlobalMemory);
    return nullptr;
  }
  m_hGlobalMemory = grown;
  return static_cast<BYTE*>(GlobalLock(grown));
}

void CSharedFile::Free(BYTE*) {
  GlobalUnlock(m_hGlobalMemory);
  GlobalFree(m_hGlobalMemory);
  m_hGlobalMemory = nullptr;
}
