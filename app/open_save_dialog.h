// The system's file open and save dialogs for the snapshot commands: fills
// the dialog data with the caller's choices and returns the chosen paths.
#pragma once

#include "framework.h"

#include <commdlg.h>

class COpenSaveDialog {
 public:
  // open: 1 open, 0 save. Without a buffer of the caller's the dialog's
  // own is used. A caller's buffer holds nMaxFile characters.
  COpenSaveDialog(int open, LPCWSTR lpszDefExt, LPWSTR lpszFileBuffer, DWORD dwFlags, LPCWSTR lpszFilter,
                  CWnd* pOwner, DWORD nMaxFile = MAX_PATH);
  virtual ~COpenSaveDialog() = default;
  COpenSaveDialog(const COpenSaveDialog&) = delete;
  COpenSaveDialog& operator=(const COpenSaveDialog&) = delete;

  // IDOK when the user chose a file, IDCANCEL on cancel or error.
  virtual INT_PTR ShowModal();

  CString GetFilePath() const;
  // The first position of GetNextSelectedPath: the file buffer itself.
  POSITION GetStartPosition() const { return reinterpret_cast<POSITION>(m_ofn.lpstrFile); }
  // The full path of the file at pos; pos moves to the next one, or to
  // null after the last.
  CString GetNextSelectedPath(POSITION& pos) const;

  // The dialog data's size that a Windows version accepts (GetVersion's
  // value): the older, shorter structure below Windows 2000.
  static DWORD StructureSize(DWORD version);

  OPENFILENAMEW m_ofn;

 private:
  int m_open;
  WCHAR m_fileBuffer[MAX_PATH];
  WCHAR m_fileTitle[MAX_PATH];
};
