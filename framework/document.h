// Documents and document templates: a template makes the document, its
// frame (LoadFrame with the template's resource id) and the view; a
// document keeps the list of its views. CCommandLineInfo reads the command
// line for CWinApp::ProcessShellCommand.
#pragma once

#include "archive.h"
#include "frame_wnd.h"

class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)
 public:
  CDocument() = default;
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCWSTR lpszTitle);
  const CString& GetPathName() const { return m_strPathName; }
  // The title becomes the file's name; with bAddToMRU the path joins the
  // recent-file list.
  virtual void SetPathName(LPCWSTR lpszPathName, BOOL bAddToMRU = TRUE);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  BOOL IsModified() const { return m_bModified; }
  void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

  POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
  CView* GetNextView(POSITION& rPosition) const { return static_cast<CView*>(m_viewList.GetNext(rPosition)); }
  void AddView(CView* pView);
  void RemoveView(CView* pView);
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
  // With no views left, an auto-delete document closes.
  virtual void OnChangedViewList();

  virtual BOOL OnNewDocument();
  // Opens the file and reads it through Serialize; a file that cannot be
  // opened or read is reported and FALSE returned.
  virtual BOOL OnOpenDocument(LPCWSTR lpszPathName);
  virtual BOOL OnSaveDocument(LPCWSTR lpszPathName);
  virtual void OnCloseDocument();
  virtual void DeleteContents() {}
  virtual BOOL SaveModified() { return TRUE; }
  virtual void PreCloseFrame(CFrameWnd*) {}
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate = nullptr;
  CPtrList m_viewList;
  BOOL m_bModified = FALSE;
  BOOL m_bAutoDelete = TRUE;
  BOOL m_bEmbedded = FALSE;

 private:
  // Opens the file and runs Serialize on it; failures are reported.
  BOOL SerializeFile(LPCWSTR lpszPathName, UINT nOpenFlags, UINT nArchiveMode);
  void ReportFileError(LPCWSTR lpszPathName, CException* e);
};

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)
 public:
  // The parts of the document string (string nIDResource, parts split by
  // newlines).
  enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

  CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
  virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;
  virtual CDocument* CreateNewDocument();
  virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
  virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
  virtual void SetDefaultTitle(CDocument* pDocument);
  virtual CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
  virtual void AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }
  virtual void RemoveDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = nullptr; }
  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
  virtual void CloseAllDocuments(BOOL bEndSession);
  void LoadTemplate();

  UINT m_nIDResource;
  CRuntimeClass* m_pDocClass;
  CRuntimeClass* m_pFrameClass;
  CRuntimeClass* m_pViewClass;
  CString m_strDocStrings;
};

class CSingleDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CSingleDocTemplate)
 public:
  CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                     CRuntimeClass* pViewClass)
      : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}
  ~CSingleDocTemplate() override;
  // The one document is reused: a new file replaces its contents in the
  // same frame.
  CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
  POSITION GetFirstDocPosition() const override { return reinterpret_cast<POSITION>(m_pOnlyDoc); }
  CDocument* GetNextDoc(POSITION& rPos) const override;

  CDocument* m_pOnlyDoc = nullptr;
};

class CCommandLineInfo : public CObject {
 public:
  enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };
  // Called for each parameter; bFlag when it started with '/' or '-'
  // (which is not part of pszParam).
  virtual void ParseParam(LPCWSTR pszParam, BOOL bFlag, BOOL bLast);

  BOOL m_bShowSplash = TRUE;
  BOOL m_bRunEmbedded = FALSE;
  BOOL m_bRunAutomated = FALSE;
  int m_nShellCommand = FileNew;
  CString m_strFileName;
};
