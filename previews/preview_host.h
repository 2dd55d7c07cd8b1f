// The preview pane: a view with a caption strip that picks one viewer by
// the file's extension, shows it below the strip and reports through the
// main frame's flags whether the file could be shown. A viewer that fails
// gets the placeholder card beside it.
#pragma once

#include "framework.h"

class CImage_View;
class CTextView;
class CThumbView;
class CHtml_View;
class CCustomHTMLViewer;
class CAdobeReaderView;
class CAviView;
class CMyMedia;
class CCorrupted_NoPreview_View;
class CLargeFileView;
class CMDB_View;

// The viewers' child id: the framework's first pane.
constexpr UINT kPreviewViewerId = AFX_IDW_PANE_FIRST;
// Viewers start this far below the pane's top.
constexpr int kPreviewViewerTop = 35;
// The caption strip's height.
constexpr int kPreviewCaptionHeight = 50;

class CMainPreviewView : public CView {
  DECLARE_DYNCREATE(CMainPreviewView)

 public:
  CMainPreviewView() = default;

  // Shows one file: extension with its dot. The caller has closed the
  // previous viewer.
  void ChoosePreview(CString path, CString extension);
  // WM_CLOSE to every viewer whose window exists, in a fixed order.
  void CloseAllPreviews();
  void OnDraw(CDC* pDC) override;

  // One per viewer kind; the kinds later versions show have no class yet.
  CView* DrawingView = nullptr;
  CImage_View* ImageView = nullptr;
  CHtml_View* WebView = nullptr;
  CAdobeReaderView* DocumentView = nullptr;
  CAviView* VideoView = nullptr;
  CMyMedia* MediaView = nullptr;
  CView* DbaseView = nullptr;
  CThumbView* SlideThumbnails = nullptr;
  CView* ArchiveView = nullptr;
  CMDB_View* AccessView = nullptr;
  CCorrupted_NoPreview_View* Placeholder = nullptr;
  CCustomHTMLViewer* HtmlViewer = nullptr;
  CView* PhotoshopView = nullptr;
  CLargeFileView* LargeFileView = nullptr;
  CTextView* PictureView = nullptr;

  CString LeftTopText;
  CString LeftBottomText = L"Preview:";
  CString RightTopText;

  // The PowerPoint slides as GIF pictures in the temporary folder's "ssss",
  // shown as thumbnails; 0 when PowerPoint cannot do it.
  int ExportPowerPointSlides(const CString& path);
  void ShowSlideThumbnails(const CString& folder);

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  // Creates, stores, shows and lays out a viewer; null when the framework
  // could not create it.
  template <typename View>
  void ShowViewer(View*& slot, CRuntimeClass* viewClass, const CString& path, bool storePath);
  // The two halves of ShowViewer, for creators that act in between.
  template <typename View>
  View* CreateViewer(View*& slot, CRuntimeClass* viewClass, const CString& path, bool storePath);
  void ShowCreatedViewer(CWnd* view);
  void ShowImageView(const CString& path);
  void ShowPictureView(const CString& path);
  void ShowWebView(const CString& path);
  void ShowHtmlViewer(const CString& path);
  void ShowDocumentView(const CString& path);
  void ShowArchiveView(const CString& path);
  void ShowPsdView(const CString& path);
  void ShowVideoView(const CString& path);
  void ShowMediaView(const CString& path);
  void ShowDbfView(const CString& path);
  void ShowDxfView(const CString& path);
  void ShowLargeFileView();
  void ShowNoPreview();
  // The kinds whose viewers this version lacks: the file counts as not shown.
  void ShowMissingViewer();
  int ShowMdbView(const CString& path);

  CRect m_captionRect;
  CRect m_bodyRect;
};

// 1 when the extension (lower case, with its dot) has a viewer.
int IsPreviewable(CString path, CString extension);
