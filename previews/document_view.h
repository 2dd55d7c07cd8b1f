// The document viewer of the preview pane: RTF, Word documents converted
// to RTF, and plain text, in a read-only rich edit control that can take
// embedded objects.
#pragma once

#include <richole.h>

#include "framework.h"
#include "pdf_viewer_control.h"

// The rich edit's OLE callback: each embedded object gets a sub-storage
// "REOLEStorageN" (N from 1) of one temporary root storage.
class CRtfOleCallback : public IRichEditOleCallback {
 public:
  // Null when no temporary root storage can be made.
  static CRtfOleCallback* Create();
  // Over a root the caller made; takes one reference of it.
  explicit CRtfOleCallback(IStorage* root);
  virtual ~CRtfOleCallback();
  CRtfOleCallback(const CRtfOleCallback&) = delete;
  CRtfOleCallback& operator=(const CRtfOleCallback&) = delete;

  STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;
  // A storage that cannot be made is reported by its error code.
  STDMETHOD(GetNewStorage)(LPSTORAGE* lplpstg) override;
  STDMETHOD(GetInPlaceContext)(LPOLEINPLACEFRAME*, LPOLEINPLACEUIWINDOW*, LPOLEINPLACEFRAMEINFO) override;
  STDMETHOD(ShowContainerUI)(BOOL) override;
  STDMETHOD(QueryInsertObject)(LPCLSID, LPSTORAGE, LONG) override;
  STDMETHOD(DeleteObject)(LPOLEOBJECT) override;
  STDMETHOD(QueryAcceptData)(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL, HGLOBAL) override;
  STDMETHOD(ContextSensitiveHelp)(BOOL) override;
  STDMETHOD(GetClipboardData)(CHARRANGE*, DWORD, LPDATAOBJECT*) override;
  STDMETHOD(GetDragDropEffect)(BOOL, DWORD, LPDWORD) override;
  STDMETHOD(GetContextMenu)(WORD, LPOLEOBJECT, CHARRANGE*, HMENU*) override;

  int m_storageCount = 0;
  IStorage* m_root = nullptr;
  ULONG m_references = 0;
};

class CRtfPreviewCtrl : public CRichEditCtrl {
  DECLARE_DYNAMIC(CRtfPreviewCtrl)

 public:
  ~CRtfPreviewCtrl() override;
  // Streams an RTF file in; throws a file error when it cannot be opened.
  // A file that loads nothing clears the preview flag.
  void LoadRtfFile(const CString& path);

  CRtfOleCallback* m_callback = nullptr;
  BOOL m_callbackAccepted = FALSE;

 protected:
  void PreSubclassWindow() override;
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  DECLARE_MESSAGE_MAP()

 private:
  void InstallCallback();
};

// PDF files in the PDF viewer control, the rest as text.
class CAdobeReaderView : public CView {
  DECLARE_DYNCREATE(CAdobeReaderView)

 public:
  ~CAdobeReaderView() override;
  void OnDraw(CDC*) override {}

  CWPViewPDFX m_pdfControl;
  CRtfPreviewCtrl m_richEdit;
  CFont m_font;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()

 private:
  void CreateRichEdit();
  void FinishRichEdit();
};

// Where a Word document is converted to before it is shown.
CString ConvertedDocumentPath();
