#include "document.h"

#include <shellapi.h>

#include "common_dialogs.h"
#include "view.h"
#include "win_app.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocument::~CDocument() {
  // Views outliving their document must not reach back into it.
  for (POSITION pos = m_viewList.GetHeadPosition(); pos != nullptr;) GetNextView(pos)->m_pDocument = nullptr;
  if (m_pDocTemplate != nullptr) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCWSTR lpszTitle) {
  m_strTitle = lpszTitle;
  for (POSITION pos = GetFirstViewPosition(); pos != nullptr;) {
    CFrameWnd* pFrame = GetNextView(pos)->GetParentFrame();
    if (pFrame != nullptr) pFrame->OnUpdateFrameTitle(TRUE);
  }
}

void CDocument::SetPathName(LPCWSTR lpszPathName, BOOL bAddToMRU) {
  WCHAR full[MAX_PATH];
  DWORD length = ::GetFullPathNameW(lpszPathName, MAX_PATH, full, nullptr);
  m_strPathName = length > 0 && length < MAX_PATH ? full : lpszPathName;
  WCHAR title[MAX_PATH];
  if (::GetFileTitleW(m_strPathName, title, MAX_PATH) == 0) SetTitle(title);
  else SetTitle(m_strPathName);
  if (bAddToMRU) {
    if (CWinApp* app = AfxGetApp()) app->AddToRecentFileList(m_strPathName);
  }
}

void CDocument::AddView(CView* pView) {
  m_viewList.AddTail(pView);
  pView->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  POSITION pos = m_viewList.Find(pView);
  if (pos == nullptr) return;
  m_viewList.RemoveAt(pos);
  pView->m_pDocument = nullptr;
  OnChangedViewList();
}

void CDocument::OnChangedViewList() {
  if (m_bAutoDelete && m_viewList.IsEmpty()) OnCloseDocument();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  for (POSITION pos = GetFirstViewPosition(); pos != nullptr;) {
    CView* pView = GetNextView(pos);
    if (pView != pSender) pView->OnUpdate(pSender, lHint, pHint);
  }
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::ReportFileError(LPCWSTR lpszPathName, CException* e) {
  WCHAR text[512];
  if (e == nullptr || !e->GetErrorMessage(text, 512)) _snwprintf(text, 512, L"Cannot open %ls.", lpszPathName);
  text[511] = 0;
  AfxMessageBox(text, MB_ICONEXCLAMATION);
}

BOOL CDocument::SerializeFile(LPCWSTR lpszPathName, UINT nOpenFlags, UINT nArchiveMode) {
  CFileException error;
  CFile file;
  if (!file.Open(lpszPathName, nOpenFlags, &error)) {
    ReportFileError(lpszPathName, &error);
    return FALSE;
  }
  try {
    CArchive ar(&file, nArchiveMode | CArchive::bNoFlushOnDelete);
    Serialize(ar);
    ar.Close();
  } catch (CException* e) {
    file.Abort();
    ReportFileError(lpszPathName, e);
    e->Delete();
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCWSTR lpszPathName) {
  DeleteContents();
  if (SerializeFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, CArchive::load)) return TRUE;
  // Nothing half read stays behind.
  DeleteContents();
  return FALSE;
}

BOOL CDocument::OnSaveDocument(LPCWSTR lpszPathName) {
  return SerializeFile(lpszPathName, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, CArchive::store);
}

void CDocument::OnCloseDocument() {
  // Closing the frames removes the views; the document must not delete
  // itself half way through.
  BOOL autoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.IsEmpty()) {
    CView* pView = static_cast<CView*>(m_viewList.GetHead());
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame == nullptr) {
      RemoveView(pView);
      continue;
    }
    PreCloseFrame(pFrame);
    pFrame->DestroyWindow();
  }
  m_bAutoDelete = autoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass) {
  LoadTemplate();
}

void CDocTemplate::LoadTemplate() {
  if (m_strDocStrings.IsEmpty()) m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
  return AfxExtractSubString(rString, m_strDocStrings, static_cast<int>(index));
}

CDocument* CDocTemplate::CreateNewDocument() {
  if (m_pDocClass == nullptr) return nullptr;
  CDocument* pDocument = static_cast<CDocument*>(m_pDocClass->CreateObject());
  if (pDocument != nullptr) AddDocument(pDocument);
  return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
  CCreateContext context;
  context.m_pCurrentFrame = pOther;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  if (m_pFrameClass == nullptr) return nullptr;
  CFrameWnd* pFrame = static_cast<CFrameWnd*>(m_pFrameClass->CreateObject());
  if (pFrame == nullptr) return nullptr;
  // On failure the frame has deleted itself with its window.
  if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) return nullptr;
  return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
  pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString title;
  if (!GetDocString(title, docName) || title.IsEmpty()) title = L"Untitled";
  pDocument->SetTitle(title);
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  for (POSITION pos = GetFirstDocPosition(); pos != nullptr;) {
    CDocument* pDoc = GetNextDoc(pos);
    pDoc->OnCloseDocument();
  }
}

CSingleDocTemplate::~CSingleDocTemplate() {
  if (m_pOnlyDoc != nullptr) m_pOnlyDoc->m_pDocTemplate = nullptr;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
  m_pOnlyDoc = pDoc;
  CDocTemplate::AddDocument(pDoc);
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
  if (m_pOnlyDoc == pDoc) m_pOnlyDoc = nullptr;
  CDocTemplate::RemoveDocument(pDoc);
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const {
  CDocument* pDoc = reinterpret_cast<CDocument*>(rPos);
  rPos = nullptr;
  return pDoc;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible) {
  CDocument* pDocument = m_pOnlyDoc;
  CFrameWnd* pFrame = nullptr;
  BOOL bCreated = FALSE;
  if (pDocument != nullptr) {
    if (!pDocument->SaveModified()) return nullptr;
    POSITION pos = pDocument->GetFirstViewPosition();
    if (pos != nullptr) pFrame = pDocument->GetNextView(pos)->GetParentFrame();
  } else {
    pDocument = CreateNewDocument();
    if (pDocument == nullptr) return nullptr;
    bCreated = TRUE;
  }
  if (pFrame == nullptr) {
    // The document lives on only through a view of the new frame.
    BOOL autoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    pFrame = CreateNewFrame(pDocument, nullptr);
    pDocument->m_bAutoDelete = autoDelete;
    if (pFrame == nullptr) {
      if (bCreated) delete pDocument;
      return nullptr;
    }
  }
  if (lpszPathName == nullptr) {
    SetDefaultTitle(pDocument);
    if (!pDocument->OnNewDocument()) {
      if (bCreated) pFrame->DestroyWindow();
      return nullptr;
    }
  } else {
    if (!pDocument->OnOpenDocument(lpszPathName)) {
      if (bCreated) pFrame->DestroyWindow();
      return nullptr;
    }
    pDocument->SetPathName(lpszPathName);
  }
  CWinThread* pThread = AfxGetThread();
  if (bCreated && pThread != nullptr && pThread->m_pMainWnd == nullptr) pThread->m_pMainWnd = pFrame;
  InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
  return pDocument;
}

void CCommandLineInfo::ParseParam(LPCWSTR pszParam, BOOL bFlag, BOOL) {
  if (bFlag) {
    if (_wcsicmp(pszParam, L"Embedding") == 0) {
      m_bRunEmbedded = TRUE;
      m_bShowSplash = FALSE;
    } else if (_wcsicmp(pszParam, L"Automation") == 0) {
      m_bRunAutomated = TRUE;
      m_bShowSplash = FALSE;
    } else if (_wcsicmp(pszParam, L"p") == 0) {
      m_nShellCommand = FilePrint;
    } else if (_wcsicmp(pszParam, L"dde") == 0) {
      m_nShellCommand = FileDDE;
    } else if (_wcsicmp(pszParam, L"Unregister") == 0 || _wcsicmp(pszParam, L"Unregserver") == 0) {
      m_nShellCommand = AppUnregister;
    }
    return;
  }
  if (m_strFileName.IsEmpty()) m_strFileName = pszParam;
  if (m_nShellCommand == FileNew) m_nShellCommand = FileOpen;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) { m_templateList.AddTail(pTemplate); }

POSITION CWinApp::GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
  return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

CDocument* CWinApp::OpenDocumentFile(LPCWSTR lpszFileName) {
  if (m_templateList.IsEmpty()) return nullptr;
  return static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(lpszFileName);
}

void CWinApp::OnFileNew() {
  if (!m_templateList.IsEmpty()) static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
  CString filter;
  if (!m_templateList.IsEmpty()) {
    CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_templateList.GetHead());
    CString name, ext;
    if (pTemplate->GetDocString(name, CDocTemplate::filterName) && !name.IsEmpty() &&
        pTemplate->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty())
      filter = name + L"|*" + ext + L"|";
  }
  filter += L"All Files (*.*)|*.*||";
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter);
  if (dialog.DoModal() == IDOK) OpenDocumentFile(dialog.GetPathName());
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (argv == nullptr) return;
  for (int i = 1; i < argc; ++i) {
    LPCWSTR param = argv[i];
    BOOL bFlag = param[0] == L'/' || param[0] == L'-';
    rCmdInfo.ParseParam(bFlag ? param + 1 : param, bFlag, i == argc - 1);
  }
  ::LocalFree(argv);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
  switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      OnFileNew();
      return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
      return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
      return TRUE;
    default:
      // Printing, DDE and registration are not offered by this program.
      return FALSE;
  }
}
