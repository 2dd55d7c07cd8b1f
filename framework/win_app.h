// Threads and the application object: the message loop with idle-time
// update of command states, the registry profile and the recent-file list.
#pragma once

#include "cmd_target.h"
#include "cstring.h"
#include "exceptions.h"
#include "lists.h"

class CWnd;
class CRecentFileList;
class CDocTemplate;
class CDocument;
class CCommandLineInfo;

typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
 public:
  CWinThread() = default;
  CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
  ~CWinThread() override;

  BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
  DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
  DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
  int GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
  BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
  operator HANDLE() const { return m_hThread; }

  virtual BOOL InitInstance() { return FALSE; }
  virtual int ExitInstance();
  // The message loop: idle work while the queue is empty, then messages
  // through PreTranslateMessage, until WM_QUIT.
  virtual int Run();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL PumpMessage();
  // Pass 0 sends WM_IDLEUPDATECMDUI to the main window and its
  // descendants; pass 1 frees temporary wrappers. TRUE asks for more.
  virtual BOOL OnIdle(LONG lCount);
  // The idle pass of every other top-level frame of the thread.
  static void IdleUpdateOtherFrames(CWnd* pMainWnd);
  virtual BOOL IsIdleMessage(MSG* pMsg);
  // An exception caught at a window procedure: reported, and the answer
  // for the message returned (-1 for WM_CREATE, so creation fails).
  virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
  static LRESULT ReportWndProcException(CException* e, const MSG* pMsg);
  virtual CWnd* GetMainWnd() { return m_pActiveWnd != nullptr ? m_pActiveWnd : m_pMainWnd; }
  virtual void Delete();

  CWnd* m_pMainWnd = nullptr;
  CWnd* m_pActiveWnd = nullptr;
  BOOL m_bAutoDelete = TRUE;
  HANDLE m_hThread = nullptr;
  DWORD m_nThreadID = 0;
  MSG m_msgCur = {};
  AFX_THREADPROC m_pfnThreadProc = nullptr;
  LPVOID m_pThreadParams = nullptr;
};

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
 public:
  // The one application object; it becomes the main thread's thread object.
  explicit CWinApp(LPCWSTR lpszAppName = nullptr);
  ~CWinApp() override;

  virtual BOOL InitApplication() { return TRUE; }
  BOOL InitInstance() override { return TRUE; }
  int ExitInstance() override;
  BOOL OnIdle(LONG lCount) override;

  // Profile: HKCU\Software\<registry key>\<profile name>\<section> once a
  // registry key is set, else the INI file m_pszProfileName.
  void SetRegistryKey(LPCWSTR lpszRegistryKey);
  void SetRegistryKey(UINT nIDRegistryKey);
  HKEY GetAppRegistryKey();
  HKEY GetSectionKey(LPCWSTR lpszSection);
  UINT GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault);
  BOOL WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue);
  CString GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault = nullptr);
  // A null value deletes the entry; a null entry deletes the section.
  BOOL WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue);
  // *ppData is new[]-allocated for the caller.
  BOOL GetProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
  BOOL WriteProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE pData, UINT nBytes);

  // Documents. The application owns the templates added.
  void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  virtual CDocument* OpenDocumentFile(LPCWSTR lpszFileName);
  void ParseCommandLine(CCommandLineInfo& rCmdInfo);
  // FALSE when the program should end (nothing could be opened).
  BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
  // The framework has no DDE: documents named by the shell arrive on the
  // command line.
  void EnableShellOpen() {}
  // Per template with a file type: the extension names the type, the type
  // its name, its icon ("<program>,1") and the open command, with the
  // program's path quoted. Failures are silent.
  void RegisterShellFileTypes(BOOL bCompat = FALSE);
  BOOL Enable3dControls() { return TRUE; }
  // Started by OLE: "/Embedding" or "/Automation" (or with '-') on the
  // command line.
  BOOL RunEmbedded() const { return HasCommandFlag(L"Embedding"); }
  BOOL RunAutomated() const { return HasCommandFlag(L"Automation"); }
  afx_msg void OnFileNew();
  afx_msg void OnFileOpen();
  // There is no printing: the printer set-up command does nothing.
  afx_msg void OnFilePrintSetup() {}

  // The application's name (profile, message boxes).
  void SetAppName(LPCWSTR lpszAppName);

  void LoadStdProfileSettings(UINT nMaxMRU = 4);
  void SaveStdProfileSettings();
  virtual void AddToRecentFileList(LPCWSTR lpszPathName);

  HCURSOR LoadCursor(UINT nIDResource) const;
  HCURSOR LoadStandardCursor(LPCWSTR lpszCursorName) const { return ::LoadCursorW(nullptr, lpszCursorName); }
  HICON LoadIcon(UINT nIDResource) const;
  HICON LoadStandardIcon(LPCWSTR lpszIconName) const { return ::LoadIconW(nullptr, lpszIconName); }

  // +1 shows the wait cursor (counted), -1 takes one back, 0 shows it again.
  virtual void DoWaitCursor(int nCode);
  virtual int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT nIDPrompt);
  void EnableModeless(BOOL bEnable) { m_nDisableModeless += bEnable ? -1 : 1; }

  LPCWSTR m_pszAppName = nullptr;
  // No name was given: AfxWinMain takes it from string 57344 when there is one.
  BOOL m_bAppNameFromProgram = FALSE;
  LPCWSTR m_pszExeName = nullptr;
  LPCWSTR m_pszRegistryKey = nullptr;
  LPCWSTR m_pszProfileName = nullptr;
  LPCWSTR m_pszHelpFilePath = nullptr;
  HINSTANCE m_hInstance = nullptr;
  LPWSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;
  CRecentFileList* m_pRecentFileList = nullptr;
  int m_nWaitCursorCount = 0;
  HCURSOR m_hcurWaitCursorRestore = nullptr;
  int m_nDisableModeless = 0;
  CPtrList m_templateList;

 private:
  void SetOwnedString(LPCWSTR& target, LPCWSTR value);
  BOOL HasCommandFlag(LPCWSTR flag) const;
};

// The paths of recently opened files, kept in the profile as "File1"...
class CRecentFileList {
 public:
  CRecentFileList(UINT nStart, LPCWSTR lpszSection, LPCWSTR lpszEntryFormat, int nSize, int nMaxDispLen = 30);
  virtual ~CRecentFileList();
  CRecentFileList(const CRecentFileList&) = delete;
  CRecentFileList& operator=(const CRecentFileList&) = delete;

  int GetSize() const { return m_nSize; }
  CString& operator[](int nIndex) { return m_arrNames[nIndex]; }
  virtual void Add(LPCWSTR lpszPathName);
  virtual void Remove(int nIndex);
  // The name as a menu shows it: the file name alone when it lies in
  // lpszCurDir, else the path shortened to m_nMaxDisplayLength.
  virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCWSTR lpszCurDir, int nCurDir,
                              BOOL bAtLeastName = TRUE) const;
  virtual void ReadList();
  virtual void WriteList();

  int m_nSize;
  CString* m_arrNames;
  CString m_strSectionName;
  CString m_strEntryFormat;
  UINT m_nStart;
  int m_nMaxDisplayLength;
};

CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
// The current thread's main window, else the application's.
CWnd* AfxGetMainWnd();
LPCWSTR AfxGetAppName();
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
BOOL AfxPumpMessage();
BOOL AfxIsIdleMessage(MSG* pMsg);
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
// The program's entry: InitApplication, InitInstance, then Run.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
