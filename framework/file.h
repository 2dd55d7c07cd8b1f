// CFile over a Win32 file handle, and the memory files CMemFile and
// CSharedFile (HGLOBAL memory for the clipboard and drag and drop).
#pragma once

#include "cstring.h"
#include "exceptions.h"

struct CFileStatus {
  ULONGLONG m_size;
  BYTE m_attribute;
  WCHAR m_szFullName[MAX_PATH];
};

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
 public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000
  };
  enum Attribute {
    normal = 0x00,
    readOnly = 0x01,
    hidden = 0x02,
    system = 0x04,
    volume = 0x08,
    directory = 0x10,
    archive = 0x20
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };

  CFile() = default;
  explicit CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}
  // Throws CFileException when the file cannot be opened.
  CFile(LPCWSTR lpszFileName, UINT nOpenFlags);
  ~CFile() override;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  virtual BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
  virtual void Close();
  virtual void Abort();
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
  virtual ULONGLONG GetPosition() const;
  virtual ULONGLONG GetLength() const;
  virtual void SetLength(ULONGLONG dwNewLen);
  virtual void Flush();
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  const CString& GetFilePath() const { return m_strFileName; }
  CString GetFileName() const;

  static BOOL GetStatus(LPCWSTR lpszFileName, CFileStatus& rStatus);
  // Applies the attribute byte; the program sets no file times this way.
  static void SetStatus(LPCWSTR lpszFileName, const CFileStatus& status);

  HANDLE m_hFile = INVALID_HANDLE_VALUE;

 protected:
  BOOL m_bCloseOnDelete = TRUE;
  CString m_strFileName;
};

class CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)
 public:
  explicit CMemFile(UINT nGrowBytes = 1024) : m_nGrowBytes(nGrowBytes) {}
  CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0) { Attach(lpBuffer, nBufferSize, nGrowBytes); }
  ~CMemFile() override;

  // An attached buffer with nGrowBytes 0 is read as a whole and never
  // grows; with nGrowBytes set it must come from malloc and becomes ours.
  void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  // Hands the buffer (malloc memory) to the caller; the file is empty after.
  BYTE* Detach();

  BOOL Open(LPCWSTR, UINT, CFileException* = nullptr) override { return FALSE; }
  void Close() override;
  void Abort() override { Close(); }
  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
  ULONGLONG GetPosition() const override { return m_nPosition; }
  ULONGLONG GetLength() const override { return m_nFileSize; }
  void SetLength(ULONGLONG dwNewLen) override;
  void Flush() override {}

 protected:
  virtual BYTE* Alloc(SIZE_T nBytes);
  virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
  virtual void Free(BYTE* lpMem);
  void GrowFile(SIZE_T dwNewLen);

  UINT m_nGrowBytes = 1024;
  SIZE_T m_nPosition = 0;
  SIZE_T m_nBufferSize = 0;
  SIZE_T m_nFileSize = 0;
  BYTE* m_lpBuffer = nullptr;
  BOOL m_bAutoDelete = TRUE;
};

class CSharedFile : public CMemFile {
  DECLARE_DYNAMIC(CSharedFile)
 public:
  explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096)
      : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags) {}
  ~CSharedFile() override;

  // The memory handle goes to the caller (the clipboard or a data object).
  HGLOBAL Detach();
  // Reads (and with bAllowGrow writes) memory the caller owns.
  void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);
  void Close() override;

 protected:
  BYTE* Alloc(SIZE_T nBytes) override;
  BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override;
  void Free(BYTE* lpMem) override;

  UINT m_nAllocFlags;
  HGLOBAL m_hGlobalMemory = nullptr;
  BOOL m_bAllowGrow = TRUE;
};
