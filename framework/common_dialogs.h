// The system's file and colour dialogs, and CFileFind over
// FindFirstFile/FindNextFile.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "cstring.h"
#include "wnd.h"

class CFileDialog : public CCmdTarget {
  DECLARE_DYNAMIC(CFileDialog)
 public:
  // lpszFilter pairs names and patterns separated by '|', ended by "||".
  explicit CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt = nullptr, LPCWSTR lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR lpszFilter = nullptr,
                       CWnd* pParentWnd = nullptr);
  virtual INT_PTR DoModal();

  CString GetPathName() const { return CString(m_szFileName); }
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;

  OPENFILENAMEW m_ofn;
  BOOL m_bOpenFileDialog;

 private:
  CString m_strFilter;
  CString m_strDefExt;
  CWnd* m_pParentWnd;
  WCHAR m_szFileName[MAX_PATH * 4];
  WCHAR m_szFileTitle[MAX_PATH];
};

class CColorDialog : public CCmdTarget {
  DECLARE_DYNAMIC(CColorDialog)
 public:
  explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
  virtual INT_PTR DoModal();
  COLORREF GetColor() const { return m_cc.rgbResult; }
  void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }

  CHOOSECOLORW m_cc;

 private:
  CWnd* m_pParentWnd;
  COLORREF m_customColors[16];
};

class CFileFind : public CObject {
  DECLARE_DYNAMIC(CFileFind)
 public:
  CFileFind() = default;
  ~CFileFind() override { Close(); }
  CFileFind(const CFileFind&) = delete;
  CFileFind& operator=(const CFileFind&) = delete;

  // Starts a search; FindNextFile then moves to each match in turn (the
  // first one included).
  virtual BOOL FindFile(LPCWSTR pstrName = nullptr, DWORD dwUnused = 0);
  virtual BOOL FindNextFile();
  void Close();

  CString GetFileName() const { return CString(m_found.cFileName); }
  CString GetFilePath() const { return m_strRoot + GetFileName(); }
  CString GetRoot() const { return m_strRoot; }
  ULONGLONG GetLength() const {
    return (static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32) | m_found.nFileSizeLow;
  }
  BOOL MatchesMask(DWORD dwMask) const { return (m_found.dwFileAttributes & dwMask) != 0; }
  BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
  BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
  BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
  BOOL IsDots() const;
  BOOL GetLastWriteTime(FILETIME* pTimeStamp) const {
    *pTimeStamp = m_found.ftLastWriteTime;
    return TRUE;
  }

 private:
  HANDLE m_hFind = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW m_found = {};
  WIN32_FIND_DATAW m_next = {};
  BOOL m_bHasNext = FALSE;
  CString m_strRoot;  // the folder searched, with a trailing backslash
};
