#include "common_dialogs.h"

#include "module_state.h"

IMPLEMENT_DYNAMIC(CFileDialog, CCmdTarget)
IMPLEMENT_DYNAMIC(CColorDialog, CCmdTarget)
IMPLEMENT_DYNAMIC(CFileFind, CObject)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt, LPCWSTR lpszFileName, DWORD dwFlags,
                         LPCWSTR lpszFilter, CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog), m_pParentWnd(pParentWnd) {
  ZeroMemory(&m_ofn, sizeof m_ofn);
  m_szFileName[0] = 0;
  m_szFileTitle[0] = 0;
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = static_cast<DWORD>(sizeof m_szFileName / sizeof m_szFileName[0]);
  m_ofn.lpstrFileTitle = m_szFileTitle;
  m_ofn.nMaxFileTitle = MAX_PATH;
  m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
  m_ofn.hInstance = AfxGetResourceHandle();
  if (lpszDefExt != nullptr) {
    m_strDefExt = lpszDefExt;
    m_ofn.lpstrDefExt = m_strDefExt;
  }
  if (lpszFileName != nullptr) lstrcpynW(m_szFileName, lpszFileName, static_cast<int>(m_ofn.nMaxFile));
  if (lpszFilter != nullptr) {
    // "Name|*.x|...||" becomes the double-zero-ended list the API wants.
    m_strFilter = lpszFilter;
    m_strFilter += L'|';
    LPWSTR p = m_strFilter.GetBuffer(0);
    for (int i = 0; p[i] != 0; ++i)
      if (p[i] == L'|') p[i] = 0;
    m_ofn.lpstrFilter = p;
  }
}

INT_PTR CFileDialog::DoModal() {
  m_ofn.hwndOwner = CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
  BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
  return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const {
  CString path(m_szFileName);
  int slash = path.ReverseFind(L'\\');
  return slash >= 0 ? path.Mid(slash + 1) : path;
}

CString CFileDialog::GetFileExt() const {
  CString name = GetFileName();
  int dot = name.ReverseFind(L'.');
  return dot >= 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind(L'.');
  return dot >= 0 ? name.Left(dot) : name;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : m_pParentWnd(pParentWnd) {
  ZeroMemory(&m_cc, sizeof m_cc);
  for (COLORREF& c : m_customColors) c = RGB(255, 255, 255);
  m_cc.lStructSize = sizeof m_cc;
  m_cc.lpCustColors = m_customColors;
  m_cc.Flags = dwFlags;
  m_cc.rgbResult = clrInit;
  if (clrInit != 0) m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal() {
  m_cc.hwndOwner = CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
  return ::ChooseColorW(&m_cc) ? IDOK : IDCANCEL;
}

BOOL CFileFind::FindFile(LPCWSTR pstrName, DWORD) {
  Close();
  CString pattern(pstrName != nullptr ? pstrName : L"*.*");
  m_hFind = ::FindFirstFileW(pattern, &m_next);
  if (m_hFind == INVALID_HANDLE_VALUE) return FALSE;
  m_bHasNext = TRUE;
  int slash = pattern.ReverseFind(L'\\');
  int forward = pattern.ReverseFind(L'/');
  if (forward > slash) slash = forward;
  m_strRoot = slash >= 0 ? pattern.Left(slash + 1) : CString();
  return TRUE;
}

BOOL CFileFind::FindNextFile() {
  if (m_hFind == INVALID_HANDLE_VALUE || !m_bHasNext) return FALSE;
  m_found = m_next;
  m_bHasNext = ::FindNextFileW(m_hFind, &m_next);
  return m_bHasNext;
}

void CFileFind::Close() {
  if (m_hFind != INVALID_HANDLE_VALUE) ::FindClose(m_hFind);
  m_hFind = INVALID_HANDLE_VALUE;
  m_bHasNext = FALSE;
}

BOOL CFileFind::IsDots() const {
  const WCHAR* name = m_found.cFileName;
  return IsDirectory() && name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}
