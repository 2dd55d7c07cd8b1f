#include "exceptions.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)

namespace {

BOOL CopyMessage(LPCWSTR text, LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != nullptr) *pnHelpContext = 0;
  if (lpszError == nullptr || nMaxError == 0) return FALSE;
  std::wcsncpy(lpszError, text, nMaxError - 1);
  lpszError[nMaxError - 1] = 0;
  return TRUE;
}

void CopyName(WCHAR (&target)[MAX_PATH], LPCWSTR name) {
  target[0] = 0;
  if (name != nullptr) {
    std::wcsncpy(target, name, MAX_PATH - 1);
    target[MAX_PATH - 1] = 0;
  }
}

}  // namespace

void CException::Delete() {
  if (m_bAutoDelete) delete this;
}

BOOL CException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  return CopyMessage(L"An unsupported operation was attempted.", lpszError, nMaxError,
                     pnHelpContext);
}

int CException::ReportError(UINT nType, UINT) {
  WCHAR text[512];
  if (!GetErrorMessage(text, 512)) std::wcscpy(text, L"An unknown error occurred.");
  return MessageBoxW(GetActiveWindow(), text, nullptr, nType);
}

BOOL CMemoryException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  return CopyMessage(L"Out of memory.", lpszError, nMaxError, pnHelpContext);
}

BOOL CNotSupportedException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError,
                                             PUINT pnHelpContext) {
  return CopyMessage(L"An unsupported operation was attempted.", lpszError, nMaxError,
                     pnHelpContext);
}

BOOL CResourceException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError,
                                         PUINT pnHelpContext) {
  return CopyMessage(L"A required resource was unavailable.", lpszError, nMaxError,
                     pnHelpContext);
}

CArchiveException::CArchiveException(int cause, LPCWSTR lpszArchiveName) : m_cause(cause) {
  CopyName(m_strFileName, lpszArchiveName);
}

BOOL CArchiveException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  static const LPCWSTR kTexts[] = {
      L"No error occurred.",
      L"An unexpected error occurred while accessing the file.",
      L"Tried to write to a file opened for reading.",
      L"Unexpected end of file.",
      L"Tried to read from a file opened for writing.",
      L"The file has an invalid format.",
      L"The file contains an unexpected object.",
      L"The file contains an object of an unexpected version.",
  };
  bool known = m_cause >= 0 && m_cause < static_cast<int>(sizeof kTexts / sizeof kTexts[0]);
  return CopyMessage(known ? kTexts[m_cause] : kTexts[1], lpszError, nMaxError, pnHelpContext);
}

CFileException::CFileException(int cause, LONG lOsError, LPCWSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError) {
  CopyName(m_strFileName, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  static const LPCWSTR kTexts[] = {
      L"No error occurred.",
      L"An unexpected error occurred while accessing %s.",
      L"%s was not found.",
      L"%s contains an invalid path.",
      L"%s could not be opened because there are too many open files.",
      L"Access to %s was denied.",
      L"An invalid file handle was associated with %s.",
      L"%s could not be removed because it is the current directory.",
      L"%s could not be created because the directory is full.",
      L"Seek failed on %s.",
      L"A hardware I/O error was reported while accessing %s.",
      L"A sharing violation occurred while accessing %s.",
      L"A locking violation occurred while accessing %s.",
      L"Disk full while accessing %s.",
      L"An attempt was made to access %s past its end.",
  };
  bool known = m_cause >= 0 && m_cause < static_cast<int>(sizeof kTexts / sizeof kTexts[0]);
  WCHAR text[MAX_PATH + 128];
  _snwprintf(text, sizeof text / sizeof text[0], known ? kTexts[m_cause] : kTexts[1],
             m_strFileName[0] != 0 ? m_strFileName : L"an unnamed file");
  text[sizeof text / sizeof text[0] - 1] = 0;
  return CopyMessage(text, lpszError, nMaxError, pnHelpContext);
}

int CFileException::OsErrorToException(LONG lOsError) {
  switch (lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
  }
}

void CFileException::ThrowOsError(LONG lOsError, LPCWSTR lpszFileName) {
  if (lOsError != 0) AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
  AfxThrowFileException(genericException, lOsError, lpszFileName);
}

void AfxThrowMemoryException() { throw new CMemoryException; }
void AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AfxThrowResourceException() { throw new CResourceException; }
void AfxThrowUserException() { throw new CUserException; }
void AfxThrowArchiveException(int cause, LPCWSTR lpszArchiveName) {
  throw new CArchiveException(cause, lpszArchiveName);
}
void AfxThrowFileException(int cause, LONG lOsError, LPCWSTR lpszFileName) {
  throw new CFileException(cause, lOsError, lpszFileName);
}
void AfxThrowOleException(SCODE sc) { throw new COleException(sc); }
