#include "win_app.h"

#include <process.h>

#include <cwchar>
#include <vector>

#include "document.h"
#include "module_state.h"
#include "temp_handles.h"
#include "wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* theApp = nullptr;

CWinThread*& CurrentThread() {
  thread_local CWinThread* current = nullptr;
  return current;
}

unsigned __stdcall ThreadEntry(void* pParam) {
  CWinThread* pThread = static_cast<CWinThread*>(pParam);
  CurrentThread() = pThread;
  UINT result = AfxExceptionBarrier<UINT>(static_cast<UINT>(-1), [pThread]() -> UINT {
    if (pThread->m_pfnThreadProc != nullptr) return pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    if (!pThread->InitInstance()) return static_cast<UINT>(pThread->ExitInstance());
    return static_cast<UINT>(pThread->Run());
  });
  CurrentThread() = nullptr;
  pThread->Delete();
  AfxTermThread();
  return result;
}

// Deletes a registry key with everything under it.
void DeleteKeyTree(HKEY hParent, LPCWSTR lpszKey) {
  HKEY hKey;
  if (RegOpenKeyExW(hParent, lpszKey, 0, KEY_READ | KEY_WRITE, &hKey) != ERROR_SUCCESS) return;
  WCHAR name[256];
  for (;;) {
    DWORD length = 256;
    if (RegEnumKeyExW(hKey, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    DeleteKeyTree(hKey, name);
  }
  RegCloseKey(hKey);
  RegDeleteKeyW(hParent, lpszKey);
}

}  // namespace

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
  if (m_hThread != nullptr) CloseHandle(m_hThread);
  if (CurrentThread() == this) CurrentThread() = nullptr;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  unsigned id = 0;
  uintptr_t handle = _beginthreadex(lpSecurityAttrs, nStackSize, &ThreadEntry, this,
                                    dwCreateFlags | CREATE_SUSPENDED, &id);
  if (handle == 0) return FALSE;
  m_hThread = reinterpret_cast<HANDLE>(handle);
  m_nThreadID = id;
  if (!(dwCreateFlags & CREATE_SUSPENDED)) ::ResumeThread(m_hThread);
  return TRUE;
}

void CWinThread::Delete() {
  if (m_bAutoDelete) delete this;
}

int CWinThread::ExitInstance() {
  return static_cast<int>(m_msgCur.wParam);
}

int CWinThread::Run() {
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  for (;;) {
    while (bIdle && !::PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(lIdleCount++)) bIdle = FALSE;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
  }
}

BOOL CWinThread::PumpMessage() {
  BOOL got = ::GetMessageW(&m_msgCur, nullptr, 0, 0);
  if (got == 0 || got == -1) return FALSE;
  if (!PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageW(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  CWnd* pMainWnd = GetMainWnd();
  if (CWnd::WalkPreTranslateTree(pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr, pMsg)) return TRUE;
  // A modeless window outside the main window's tree: the main window
  // still gets its accelerators.
  if (pMainWnd != nullptr && pMsg->hwnd != nullptr) {
    CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
    if (pWnd->GetTopLevelParent() != pMainWnd) return pMainWnd->PreTranslateMessage(pMsg);
  }
  return FALSE;
}

void CWinThread::IdleUpdateOtherFrames(CWnd* pMainWnd) {
  // Top-level frames besides the main window (floating tool frames, owned
  // popups) are no descendants of it: each gets its own pass. A hidden one
  // still runs a layout it has been asked for.
  CPtrList frames;
  const CPtrList& all = CFrameWnd::GetThreadFrameList();
  for (POSITION pos = all.GetHeadPosition(); pos != nullptr;) frames.AddTail(all.GetNext(pos));
  for (POSITION pos = frames.GetHeadPosition(); pos != nullptr;) {
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(frames.GetNext(pos));
    if (CFrameWnd::GetThreadFrameList().Find(pFrame) == nullptr) continue;  // gone during the pass
    if (pFrame == pMainWnd || pFrame->m_hWnd == nullptr || (pFrame->GetStyle() & WS_CHILD)) continue;
    if (!pFrame->IsWindowVisible() && pFrame->m_nIdleFlags == 0) continue;
    AfxCallWndProc(pFrame, pFrame->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    if (::IsWindow(pFrame->m_hWnd)) pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
  }
}

BOOL CWinThread::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    CWnd* pMainWnd = m_pMainWnd;
    if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMainWnd->IsWindowVisible()) {
      AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
      pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    IdleUpdateOtherFrames(pMainWnd);
    return TRUE;
  }
  AfxDeleteTempMaps();
  return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
  // Mouse moves that do not move, paints and the caret timer keep idle on.
  thread_local POINT lastPoint = {-1, -1};
  thread_local UINT lastMessage = 0;
  if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
    if (pMsg->message == lastMessage && pMsg->pt.x == lastPoint.x && pMsg->pt.y == lastPoint.y) return FALSE;
    lastPoint = pMsg->pt;
    lastMessage = pMsg->message;
    return TRUE;
  }
  return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg) {
  return ReportWndProcException(e, pMsg);
}

LRESULT CWinThread::ReportWndProcException(CException* e, const MSG* pMsg) {
  // A user exception has been reported where it was thrown.
  if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) {
    WCHAR text[512];
    if (!e->GetErrorMessage(text, 512)) lstrcpynW(text, L"An unexpected error occurred.", 512);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
  }
  if (pMsg != nullptr) {
    if (pMsg->message == WM_CREATE) return -1;
    // The failed paint must not come back for ever.
    if (pMsg->message == WM_PAINT) ::ValidateRect(pMsg->hwnd, nullptr);
  }
  return 0;
}

CWinApp::CWinApp(LPCWSTR lpszAppName) {
  theApp = this;
  CurrentThread() = this;
  m_nThreadID = ::GetCurrentThreadId();
  m_bAutoDelete = FALSE;
  m_hInstance = AfxGetInstanceHandle();
  WCHAR path[MAX_PATH];
  DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  path[length < MAX_PATH ? length : MAX_PATH - 1] = 0;
  LPCWSTR name = path;
  for (LPCWSTR p = path; *p != 0; ++p)
    if (*p == L'\\' || *p == L'/') name = p + 1;
  WCHAR exeName[MAX_PATH];
  lstrcpynW(exeName, name, MAX_PATH);
  if (WCHAR* dot = std::wcsrchr(exeName, L'.')) *dot = 0;
  SetOwnedString(m_pszExeName, exeName);
  SetOwnedString(m_pszAppName, lpszAppName != nullptr ? lpszAppName : exeName);
  m_bAppNameFromProgram = lpszAppName == nullptr;
  AfxGetModuleState()->m_lpszCurrentAppName = m_pszAppName;
  WCHAR iniName[MAX_PATH + 8];
  _snwprintf(iniName, MAX_PATH + 8, L"%ls.INI", exeName);
  iniName[MAX_PATH + 7] = 0;
  SetOwnedString(m_pszProfileName, iniName);
}

CWinApp::~CWinApp() {
  while (!m_templateList.IsEmpty()) delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
  delete m_pRecentFileList;
  for (LPCWSTR* p : {&m_pszAppName, &m_pszExeName, &m_pszRegistryKey, &m_pszProfileName}) SetOwnedString(*p, nullptr);
  if (theApp == this) theApp = nullptr;
  if (CurrentThread() == this) CurrentThread() = nullptr;
  // The handle belongs to the process, not to us.
  m_hThread = nullptr;
}

void CWinApp::SetAppName(LPCWSTR lpszAppName) {
  // The profile follows the name until a registry key or INI file is chosen.
  const bool profileFollows = m_pszRegistryKey != nullptr && m_pszProfileName != nullptr &&
                              m_pszAppName != nullptr && std::wcscmp(m_pszProfileName, m_pszAppName) == 0;
  SetOwnedString(m_pszAppName, lpszAppName);
  if (profileFollows) SetOwnedString(m_pszProfileName, m_pszAppName);
  AfxGetModuleState()->m_lpszCurrentAppName = m_pszAppName;
}

BOOL CWinApp::HasCommandFlag(LPCWSTR flag) const {
  if (m_lpCmdLine == nullptr) return FALSE;
  const size_t length = std::wcslen(flag);
  for (LPCWSTR p = m_lpCmdLine; *p != 0; ++p)
    if ((*p == L'/' || *p == L'-') && _wcsnicmp(p + 1, flag, length) == 0 &&
        (p[length + 1] == 0 || p[length + 1] == L' '))
      return TRUE;
  return FALSE;
}

void CWinApp::RegisterShellFileTypes(BOOL) {
  WCHAR program[MAX_PATH];
  DWORD length = ::GetModuleFileNameW(m_hInstance, program, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  auto write = [](const CString& key, const CString& value) {
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &hKey,
                        nullptr) != ERROR_SUCCESS)
      return;
    RegSetValueExW(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCWSTR>(value)),
                   static_cast<DWORD>((value.GetLength() + 1) * sizeof(WCHAR)));
    RegCloseKey(hKey);
  };
  // A blank in the program's folder must not cut the command short.
  CString openCommand;
  openCommand.Format(L"\"%ls\" \"%%1\"", program);
  int iconIndex = 1;
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos != nullptr) {
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    CString typeId, typeName, extension;
    if (!pTemplate->GetDocString(typeId, CDocTemplate::regFileTypeId) || typeId.IsEmpty()) continue;
    pTemplate->GetDocString(typeName, CDocTemplate::regFileTypeName);
    write(typeId, typeName);
    CString icon;
    icon.Format(L"%ls,%d", program, iconIndex++);
    write(typeId + L"\\DefaultIcon", icon);
    write(typeId + L"\\shell\\open\\command", openCommand);
    if (pTemplate->GetDocString(extension, CDocTemplate::filterExt) && extension.GetLength() > 1 &&
        extension[0] == L'.')
      write(extension, typeId);
  }
}

void CWinApp::SetOwnedString(LPCWSTR& target, LPCWSTR value) {
  free(const_cast<LPWSTR>(target));
  target = value != nullptr ? _wcsdup(value) : nullptr;
}

int CWinApp::ExitInstance() {
  if (m_pRecentFileList != nullptr) SaveStdProfileSettings();
  return CWinThread::ExitInstance();
}

BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

void CWinApp::SetRegistryKey(LPCWSTR lpszRegistryKey) {
  SetOwnedString(m_pszRegistryKey, lpszRegistryKey);
  SetOwnedString(m_pszProfileName, m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
  CString key;
  key.LoadString(nIDRegistryKey);
  SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey() {
  if (m_pszRegistryKey == nullptr) return nullptr;
  HKEY hSoftware = nullptr, hCompany = nullptr, hApp = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_WRITE | KEY_READ, &hSoftware) == ERROR_SUCCESS) {
    DWORD disposition;
    if (RegCreateKeyExW(hSoftware, m_pszRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                        nullptr, &hCompany, &disposition) == ERROR_SUCCESS) {
      RegCreateKeyExW(hCompany, m_pszProfileName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                      nullptr, &hApp, &disposition);
      RegCloseKey(hCompany);
    }
    RegCloseKey(hSoftware);
  }
  return hApp;
}

HKEY CWinApp::GetSectionKey(LPCWSTR lpszSection) {
  HKEY hApp = GetAppRegistryKey();
  if (hApp == nullptr) return nullptr;
  HKEY hSection = nullptr;
  DWORD disposition;
  RegCreateKeyExW(hApp, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, nullptr, &hSection,
                  &disposition);
  RegCloseKey(hApp);
  return hSection;
}

UINT CWinApp::GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault) {
  if (m_pszRegistryKey == nullptr) return ::GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_pszProfileName);
  HKEY hSection = GetSectionKey(lpszSection);
  if (hSection == nullptr) return nDefault;
  DWORD value = 0, type = 0, size = sizeof value;
  LONG status = RegQueryValueExW(hSection, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
  RegCloseKey(hSection);
  return status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value ? value : static_cast<UINT>(nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue) {
  if (m_pszRegistryKey == nullptr) {
    WCHAR text[16];
    _snwprintf(text, 16, L"%d", nValue);
    text[15] = 0;
    return ::WritePrivateProfileStringW(lpszSection, lpszEntry, text, m_pszProfileName);
  }
  HKEY hSection = GetSectionKey(lpszSection);
  if (hSection == nullptr) return FALSE;
  DWORD value = static_cast<DWORD>(nValue);
  LONG status = RegSetValueExW(hSection, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(hSection);
  return status == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault) {
  if (m_pszRegistryKey == nullptr) {
    std::vector<WCHAR> buffer(4096);
    DWORD n = ::GetPrivateProfileStringW(lpszSection, lpszEntry, lpszDefault != nullptr ? lpszDefault : L"",
                                         buffer.data(), static_cast<DWORD>(buffer.size()), m_pszProfileName);
    return CString(buffer.data(), static_cast<int>(n));
  }
  HKEY hSection = GetSectionKey(lpszSection);
  CString result(lpszDefault);
  if (hSection == nullptr) return result;
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(hSection, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
    std::vector<WCHAR> buffer(size / sizeof(WCHAR) + 1, 0);
    if (RegQueryValueExW(hSection, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &size) ==
        ERROR_SUCCESS)
      result = buffer.data();
  }
  RegCloseKey(hSection);
  return result;
}

BOOL CWinApp::WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue) {
  if (m_pszRegistryKey == nullptr) return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
  if (lpszEntry == nullptr) {
    HKEY hApp = GetAppRegistryKey();
    if (hApp == nullptr) return FALSE;
    DeleteKeyTree(hApp, lpszSection);
    RegCloseKey(hApp);
    return TRUE;
  }
  HKEY hSection = GetSectionKey(lpszSection);
  if (hSection == nullptr) return FALSE;
  LONG status;
  if (lpszValue == nullptr) {
    status = RegDeleteValueW(hSection, lpszEntry);
    if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;
  } else {
    status = RegSetValueExW(hSection, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                            static_cast<DWORD>((std::wcslen(lpszValue) + 1) * sizeof(WCHAR)));
  }
  RegCloseKey(hSection);
  return status == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
  *ppData = nullptr;
  *pBytes = 0;
  if (m_pszRegistryKey == nullptr) return FALSE;
  HKEY hSection = GetSectionKey(lpszSection);
  if (hSection == nullptr) return FALSE;
  DWORD type = 0, size = 0;
  BOOL ok = FALSE;
  if (RegQueryValueExW(hSection, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_BINARY) {
    LPBYTE data = new BYTE[size != 0 ? size : 1];
    if (RegQueryValueExW(hSection, lpszEntry, nullptr, &type, data, &size) == ERROR_SUCCESS) {
      *ppData = data;
      *pBytes = size;
      ok = TRUE;
    } else {
      delete[] data;
    }
  }
  RegCloseKey(hSection);
  return ok;
}

BOOL CWinApp::WriteProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE pData, UINT nBytes) {
  if (m_pszRegistryKey == nullptr) return FALSE;
  HKEY hSection = GetSectionKey(lpszSection);
  if (hSection == nullptr) return FALSE;
  LONG status = RegSetValueExW(hSection, lpszEntry, 0, REG_BINARY, pData, nBytes);
  RegCloseKey(hSection);
  return status == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
  if (nMaxMRU != 0) {
    delete m_pRecentFileList;
    m_pRecentFileList = new CRecentFileList(0, L"Recent File List", L"File%d", static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList();
  }
}

void CWinApp::SaveStdProfileSettings() {
  if (m_pRecentFileList != nullptr) m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(LPCWSTR lpszPathName) {
  if (m_pRecentFileList != nullptr) m_pRecentFileList->Add(lpszPathName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const {
  LPCWSTR name = MAKEINTRESOURCEW(nIDResource);
  return ::LoadCursorW(AfxFindResourceHandle(name, RT_GROUP_CURSOR), name);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
  LPCWSTR name = MAKEINTRESOURCEW(nIDResource);
  return ::LoadIconW(AfxFindResourceHandle(name, RT_GROUP_ICON), name);
}

void CWinApp::DoWaitCursor(int nCode) {
  m_nWaitCursorCount += nCode;
  if (m_nWaitCursorCount < 0) m_nWaitCursorCount = 0;
  if (m_nWaitCursorCount > 0) {
    HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    if (nCode > 0 && m_nWaitCursorCount == 1) m_hcurWaitCursorRestore = previous;
  } else {
    ::SetCursor(m_hcurWaitCursorRestore);
  }
}

int CWinApp::DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT) {
  CWnd* pOwner = AfxGetMainWnd();
  HWND hOwner = pOwner != nullptr ? pOwner->m_hWnd : nullptr;
  if (hOwner != nullptr) {
    HWND hPopup = ::GetLastActivePopup(hOwner);
    if (hPopup != nullptr && ::IsWindowEnabled(hPopup)) hOwner = hPopup;
  }
  return ::MessageBoxW(hOwner, lpszPrompt, m_pszAppName, nType);
}

CRecentFileList::CRecentFileList(UINT nStart, LPCWSTR lpszSection, LPCWSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 1),
      m_arrNames(new CString[nSize > 0 ? nSize : 1]),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen) {}

CRecentFileList::~CRecentFileList() { delete[] m_arrNames; }

void CRecentFileList::Add(LPCWSTR lpszPathName) {
  WCHAR full[MAX_PATH];
  DWORD n = ::GetFullPathNameW(lpszPathName, MAX_PATH, full, nullptr);
  CString path = n > 0 && n < MAX_PATH ? CString(full) : CString(lpszPathName);
  int at = 0;
  while (at < m_nSize - 1 && m_arrNames[at].CompareNoCase(path) != 0) ++at;
  for (; at > 0; --at) m_arrNames[at] = m_arrNames[at - 1];
  m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex) {
  if (nIndex < 0 || nIndex >= m_nSize) return;
  for (int i = nIndex; i < m_nSize - 1; ++i) m_arrNames[i] = m_arrNames[i + 1];
  m_arrNames[m_nSize - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCWSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const {
  if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty()) return FALSE;
  const CString& path = m_arrNames[nIndex];
  int nameStart = path.ReverseFind(L'\\') + 1;
  CString fileName = path.Mid(nameStart);
  if (lpszCurDir != nullptr && nCurDir > 0 && nameStart == nCurDir + 1 &&
      path.Left(nCurDir).CompareNoCase(CString(lpszCurDir, nCurDir)) == 0) {
    strName = fileName;
    return TRUE;
  }
  if (m_nMaxDisplayLength <= 0 || path.GetLength() <= m_nMaxDisplayLength) {
    strName = path;
    return TRUE;
  }
  // Keep the root ("C:\" or "\\server\share\") and as many trailing
  // folders as fit, with "..." for the rest.
  int rootEnd = path.Find(L'\\') + 1;
  if (path.Left(2) == L"\\\\") {
    int share = path.Find(L'\\', 2);
    rootEnd = share < 0 ? -1 : path.Find(L'\\', share + 1) + 1;
  }
  CString tail = fileName;
  if (rootEnd <= 0 || rootEnd + 4 + fileName.GetLength() > m_nMaxDisplayLength) {
    strName = bAtLeastName ? fileName : fileName.Left(m_nMaxDisplayLength);
    return TRUE;
  }
  int end = nameStart - 1;
  while (end > rootEnd) {
    int start = end - 1;
    while (start >= rootEnd && path[start] != L'\\') --start;
    CString folder = path.Mid(start + 1, end - start - 1);
    if (rootEnd + 4 + folder.GetLength() + 1 + tail.GetLength() > m_nMaxDisplayLength) break;
    tail = folder + L"\\" + tail;
    end = start;
  }
  strName = path.Left(rootEnd) + L"...\\" + tail;
  return TRUE;
}

void CRecentFileList::ReadList() {
  CWinApp* app = AfxGetApp();
  for (int i = 0; i < m_nSize; ++i) {
    CString entry;
    entry.Format(m_strEntryFormat, static_cast<int>(i + 1));
    m_arrNames[i] = app->GetProfileString(m_strSectionName, entry);
  }
}

void CRecentFileList::WriteList() {
  CWinApp* app = AfxGetApp();
  app->WriteProfileString(m_strSectionName, nullptr, nullptr);
  for (int i = 0; i < m_nSize; ++i) {
    if (m_arrNames[i].IsEmpty()) continue;
    CString entry;
    entry.Format(m_strEntryFormat, static_cast<int>(i + 1));
    app->WriteProfileString(m_strSectionName, entry, m_arrNames[i]);
  }
}

CWinApp* AfxGetApp() { return theApp; }

CWinThread* AfxGetThread() { return CurrentThread() != nullptr ? CurrentThread() : nullptr; }

CWnd* AfxGetMainWnd() {
  CWinThread* thread = AfxGetThread();
  CWnd* pWnd = thread != nullptr ? thread->GetMainWnd() : nullptr;
  if (pWnd == nullptr && theApp != nullptr) pWnd = theApp->GetMainWnd();
  return pWnd;
}

LPCWSTR AfxGetAppName() { return theApp != nullptr ? theApp->m_pszAppName : L""; }

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
  if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
    pThread->Delete();
    return nullptr;
  }
  pThread->SetThreadPriority(nPriority);
  if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
  return pThread;
}

BOOL AfxPumpMessage() {
  if (CWinThread* thread = AfxGetThread()) return thread->PumpMessage();
  MSG msg;
  BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) return FALSE;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
  return TRUE;
}

BOOL AfxIsIdleMessage(MSG* pMsg) {
  if (CWinThread* thread = AfxGetThread()) return thread->IsIdleMessage(pMsg);
  return pMsg->message != WM_PAINT && pMsg->message != 0x0118 && pMsg->message != WM_MOUSEMOVE;
}

int AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT nIDHelp) {
  if (CWinApp* app = AfxGetApp()) return app->DoMessageBox(lpszText, nType, nIDHelp);
  return ::MessageBoxW(nullptr, lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString text;
  text.LoadString(nIDPrompt);
  return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int nCmdShow) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return -1;
  AfxGetModuleState()->m_hCurrentInstanceHandle = hInstance;
  AfxGetModuleState()->m_hCurrentResourceHandle = hInstance;
  app->m_hInstance = hInstance;
  app->m_lpCmdLine = lpCmdLine;
  app->m_nCmdShow = nCmdShow;
  if (app->m_bAppNameFromProgram) {
    CString title;
    if (title.LoadString(AFX_IDS_APP_TITLE) && !title.IsEmpty()) {
      app->SetAppName(title);
    }
  }
  return AfxExceptionBarrier(-1, [app] {
    if (!app->InitApplication() || !app->InitInstance()) return app->ExitInstance();
    return app->Run();
  });
}
