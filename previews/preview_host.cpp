#include "preview_host.h"

#include "archive_view.h"
#include "automation.h"
#include "bar_painter.h"
#include "color_scheme.h"
#include "database_views.h"
#include "dbf_view.h"
#include "document_view.h"
#include "draw_helpers.h"
#include "dxf_view.h"
#include "html_views.h"
#include "global_settings.h"
#include "main_frame.h"
#include "media_views.h"
#include "office_preview_windows.h"
#include "picture_views.h"
#include "placeholder_views.h"
#include "preview_state.h"
#include "preview_table.h"
#include "psd_view.h"
#include "shell_app.h"
#include "shell_document.h"
#include "thumb_view.h"
#include "wizard_views.h"

IMPLEMENT_DYNCREATE(CMainPreviewView, CView)

BEGIN_MESSAGE_MAP(CMainPreviewView, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

int IsPreviewable(CString path, CString extension) {
  path.MakeLower();
  return FindPreviewRow(extension) != kRowNone ? 1 : 0;
}

int CMainPreviewView::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  if (CMainFrame* frame = GetMainFrame()) frame->PreviewHost = this;
  ChoosePreview(L"fileName", L"fileType");
  return 0;
}

void CMainPreviewView::OnLButtonDblClk(UINT, CPoint) { Default(); }

void CMainPreviewView::ChoosePreview(CString path, CString extension) {
  int& loaded = PreviewLoadedFlag();
  loaded = 0;
  path.MakeLower();
  extension.MakeLower();
  PreviewSupportedFlag() = IsPreviewable(path, extension);
  loaded = 1;
  if (PreviewSupportedFlag() == 0) {
    ShowNoPreview();
    Invalidate(TRUE);
    return;
  }
  const PreviewRow row = FindPreviewRow(extension);
  switch (row) {
    case kRowImage: ShowImageView(path); break;
    case kRowPicture: ShowPictureView(path); break;
    case kRowWeb: ShowWebView(path); break;
    case kRowHtml: ShowHtmlViewer(path); break;
    case kRowDocument:
    case kRowPlainText: ShowDocumentView(path); break;
    case kRowArchive: ShowArchiveView(path); break;
    case kRowPhotoshop: ShowPsdView(path); break;
    case kRowVideo: ShowVideoView(path); break;
    case kRowMedia: ShowMediaView(path); break;
    case kRowDbase: ShowDbfView(path); break;
    case kRowDrawing: ShowDxfView(path); break;
    case kRowSlides:
      loaded = ExportPowerPointSlides(path);
      if (loaded == 0) loaded = 1, ShowNoPreview();
      break;
    case kRowAccess: loaded = ShowMdbView(path); break;
    case kRowLargeFile: ShowLargeFileView(); break;
    default: ShowMissingViewer(); break;
  }
  if (row != kRowLargeFile && row != kRowSlides && PreviewLoadedFlag() == 0) ShowNoPreview();
  Invalidate(TRUE);
  // The results page's list keeps the keyboard; a pane shown alone has none.
  CFoundFileListCtrl* list = FoundFileListCtrl();
  if (list != nullptr && list->GetSafeHwnd() != nullptr) list->SetFocus();
}

template <typename View>
View* CMainPreviewView::CreateViewer(View*& slot, CRuntimeClass* viewClass, const CString& path, bool storePath) {
  if (storePath)
    if (CEx_StyleDoc* document = PreviewDocument(GetDocument())) document->PreviewPath = path;
  CCreateContext context;
  context.m_pNewViewClass = viewClass;
  context.m_pCurrentDoc = GetDocument();
  // The framework's view creation serves any window as the host.
  CWnd* view = static_cast<CFrameWnd*>(static_cast<CWnd*>(this))->CreateView(&context, kPreviewViewerId);
  slot = static_cast<View*>(view);
  return slot;
}

void CMainPreviewView::ShowCreatedViewer(CWnd* view) {
  // A placeholder over a failed viewer must stay on top when both paint.
  view->ModifyStyle(0, WS_CLIPSIBLINGS);
  ::SetWindowPos(view->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  view->ShowWindow(SW_SHOW);
  SendMessage(WM_SIZE, 0, 0);
}

template <typename View>
void CMainPreviewView::ShowViewer(View*& slot, CRuntimeClass* viewClass, const CString& path, bool storePath) {
  if (CreateViewer(slot, viewClass, path, storePath) != nullptr) ShowCreatedViewer(slot);
}

void CMainPreviewView::ShowImageView(const CString& path) {
  ShowViewer(ImageView, RUNTIME_CLASS(CImage_View), path, true);
}

void CMainPreviewView::ShowPictureView(const CString& path) {
  ShowViewer(PictureView, RUNTIME_CLASS(CTextView), path, true);
}

void CMainPreviewView::ShowWebView(const CString& path) {
  // The extension once more, from the path itself.
  CString extension = L"." + path.Mid(path.ReverseFind(L'.') + 1);
  extension.MakeLower();
  CHtml_View* view = CreateViewer(WebView, RUNTIME_CLASS(CHtml_View), path, true);
  if (view == nullptr) return;
  view->Navigate2(path, 0, nullptr, nullptr, 0, nullptr);
  // The spreadsheet server takes a moment to open the workbook.
  if (extension == L".xls") ::Sleep(100);
  ShowCreatedViewer(view);
}

void CMainPreviewView::ShowHtmlViewer(const CString& path) {
  ShowViewer(HtmlViewer, RUNTIME_CLASS(CCustomHTMLViewer), path, true);
}

void CMainPreviewView::ShowDocumentView(const CString& path) {
  ShowViewer(DocumentView, RUNTIME_CLASS(CAdobeReaderView), path, true);
}

void CMainPreviewView::ShowArchiveView(const CString& path) {
  ShowViewer(ArchiveView, RUNTIME_CLASS(CMyListCtrl), path, true);
}

void CMainPreviewView::ShowPsdView(const CString& path) {
  ShowViewer(PhotoshopView, RUNTIME_CLASS(CPSDViewView), path, true);
}

void CMainPreviewView::ShowVideoView(const CString& path) {
  ShowViewer(VideoView, RUNTIME_CLASS(CAviView), path, true);
}

void CMainPreviewView::ShowMediaView(const CString& path) {
  ShowViewer(MediaView, RUNTIME_CLASS(CMyMedia), path, true);
}

void CMainPreviewView::ShowDbfView(const CString& path) {
  ShowViewer(DbaseView, RUNTIME_CLASS(CDBF_View), path, true);
}

void CMainPreviewView::ShowDxfView(const CString& path) {
  ShowViewer(DrawingView, RUNTIME_CLASS(CDFXView), path, true);
}

void CMainPreviewView::ShowLargeFileView() {
  ShowViewer(LargeFileView, RUNTIME_CLASS(CLargeFileView), CString(), false);
}

void CMainPreviewView::ShowNoPreview() {
  PreviewInfoText.Empty();
  ShowViewer(Placeholder, RUNTIME_CLASS(CCorrupted_NoPreview_View), CString(), false);
}

void CMainPreviewView::ShowMissingViewer() { PreviewLoadedFlag() = 0; }

int CMainPreviewView::ShowMdbView(const CString& path) {
  CEx_StyleDoc* document = PreviewDocument(GetDocument());
  if (document != nullptr) document->PreviewPath = path;
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(CMDB_View);
  context.m_pCurrentDoc = GetDocument();
  AccessView = static_cast<CMDB_View*>(static_cast<CFrameWnd*>(static_cast<CWnd*>(this))->CreateView(&context, kPreviewViewerId));
  if (AccessView == nullptr) return 0;
  // Shown only once the database is open (the document reports why not).
  AccessView->ShowWindow(SW_HIDE);
  if (document == nullptr || !document->OpenDatabase(path)) return 0;
  AccessView->ModifyStyle(0, WS_CLIPSIBLINGS);
  AccessView->ShowWindow(SW_SHOW);
  SendMessage(WM_SIZE, 0, 0);
  return 1;
}

void CMainPreviewView::CloseAllPreviews() {
  CWnd** slots[] = {
      reinterpret_cast<CWnd**>(&DrawingView),     reinterpret_cast<CWnd**>(&ImageView),
      reinterpret_cast<CWnd**>(&WebView),         reinterpret_cast<CWnd**>(&DocumentView),
      reinterpret_cast<CWnd**>(&VideoView),       reinterpret_cast<CWnd**>(&MediaView),
      reinterpret_cast<CWnd**>(&DbaseView),       reinterpret_cast<CWnd**>(&SlideThumbnails),
      reinterpret_cast<CWnd**>(&ArchiveView),     reinterpret_cast<CWnd**>(&AccessView),
      reinterpret_cast<CWnd**>(&Placeholder),     reinterpret_cast<CWnd**>(&HtmlViewer),
      reinterpret_cast<CWnd**>(&PhotoshopView),   reinterpret_cast<CWnd**>(&LargeFileView),
      reinterpret_cast<CWnd**>(&PictureView),
  };
  for (CWnd** slot : slots) {
    if (*slot == nullptr || !::IsWindow((*slot)->GetSafeHwnd())) continue;
    (*slot)->SendMessage(WM_CLOSE);
    *slot = nullptr;
  }
}

void CMainPreviewView::OnSize(UINT, int, int) {
  Default();
  CRect rect;
  GetClientRect(&rect);
  rect.top += kPreviewViewerTop;
  CWnd* viewers[] = {DrawingView, ImageView,   WebView,    DocumentView,  VideoView,
                     MediaView,   DbaseView,   SlideThumbnails, ArchiveView, AccessView,
                     Placeholder, HtmlViewer,  PhotoshopView,   LargeFileView, PictureView};
  for (CWnd* viewer : viewers) {
    if (viewer == nullptr || !::IsWindow(viewer->GetSafeHwnd())) continue;
    viewer->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
    viewer->Invalidate(TRUE);
  }
}

void CMainPreviewView::OnDraw(CDC* pDC) {
  CTkColorScheme* scheme = GetColorScheme();
  CRect rect;
  GetWindowRect(&rect);
  ScreenToClient(&rect);
  pDC->FillSolidRect(&rect, scheme->GetColor(5));
  m_captionRect = rect;
  m_captionRect.bottom = m_captionRect.top + kPreviewCaptionHeight;
  m_bodyRect = rect;
  m_bodyRect.top = m_captionRect.bottom;

  if (CurrentBarPainter == nullptr) SetCurrentTheme(0);
  CTkBarPainter* painter = CurrentBarPainter;
  const int theme = painter != nullptr ? painter->m_themeNumber : 0;
  if (theme == 2) {
    const CTkGradientColor& gradient = scheme->GetGradient(0);
    GetGradientPainter().FillGradient(pDC, &m_captionRect, gradient.m_second, gradient.m_first, FALSE);
    pDC->FillSolidRect(m_captionRect.left, m_captionRect.bottom - 1, m_captionRect.Width(), 1, scheme->GetColor(54));
  } else {
    pDC->FillSolidRect(&m_captionRect, scheme->GetColor(13));
    CRect frame = m_captionRect;
    frame.left += 1;
    frame.top += 1;
    if (theme != 3) frame.right -= 1;
    const int family = painter != nullptr ? painter->GetThemeFamily() : 0;
    const int dark = family == 3 ? 57 : family == 2 ? 54 : 16;
    pDC->Draw3dRect(&frame, scheme->GetColor(20), scheme->GetColor(dark));
  }

  CTkGlobalSettings& settings = GetGlobalSettings();
  const COLORREF oldColor = pDC->SetTextColor(scheme->GetColor(5));
  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  CFont* oldFont = pDC->SelectObject(&settings.m_fonts[CTkGlobalSettings::kFontBold]);
  pDC->TextOut(4, 4, LeftTopText);
  pDC->TextOut(4, 18, LeftBottomText);
  pDC->SelectObject(&settings.m_fonts[CTkGlobalSettings::kFontRegular]);
  pDC->TextOut(75, 4, RightTopText);
  pDC->TextOut(75, 18, PreviewInfoText);
  pDC->SelectObject(oldFont);
  pDC->SetBkMode(oldMode);
  pDC->SetTextColor(oldColor);

  CRect client;
  GetClientRect(&client);
  client.top = kPreviewCaptionHeight;
  if (client.bottom > client.top) pDC->FillSolidRect(&client, RGB(189, 211, 255));
}

int CMainPreviewView::ExportPowerPointSlides(const CString& path) {
  COleDispatchDriver application;
  // The instance started here is the pane's to close before the next file.
  const std::set<DWORD> officeBefore = OfficeWindowProcesses();
  if (!application.CreateDispatch(L"Powerpoint.Application")) return 0;
  NoteStartedOfficeProcesses(officeBefore);
  COleDispatchDriver presentations, presentation;
  CString folder;
  try {
    IDispatch* collection = nullptr;
    application.InvokeHelper(2001, DISPATCH_PROPERTYGET, VT_DISPATCH, &collection, nullptr);
    presentations.AttachDispatch(collection);
    IDispatch* opened = nullptr;
    static const BYTE openArgs[] = {VT_BSTR, VT_I4, VT_I4, VT_I4, 0};
    presentations.InvokeHelper(2004, DISPATCH_METHOD, VT_DISPATCH, &opened, openArgs,
                               static_cast<LPCWSTR>(path), 1, 1, 0);
    presentation.AttachDispatch(opened);
    WCHAR temp[256] = {};
    ::GetTempPathW(255, temp);
    folder = CString(temp) + L"ssss";
    const CString target = CString(temp) + L"ssss.gif";
    static const BYTE saveArgs[] = {VT_BSTR, VT_I4, VT_I4, 0};
    presentation.InvokeHelper(2036, DISPATCH_METHOD, VT_EMPTY, nullptr, saveArgs, static_cast<LPCWSTR>(target), 16,
                              0);
    application.InvokeHelper(2021, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
  } catch (CException* e) {
    e->Delete();
    // The instance ends through its own Quit, never by ending its process.
    try {
      application.InvokeHelper(2021, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
    } catch (CException* again) {
      again->Delete();
    }
    return 0;
  }
  presentation.ReleaseDispatch();
  presentations.ReleaseDispatch();
  application.ReleaseDispatch();
  ShowSlideThumbnails(folder);
  return 1;
}

void CMainPreviewView::ShowSlideThumbnails(const CString& folder) {
  CEx_StyleDoc* document = PreviewDocument(GetDocument());
  if (document != nullptr) document->PreviewPath = folder;
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(CThumbView);
  context.m_pCurrentDoc = GetDocument();
  SlideThumbnails = static_cast<CThumbView*>(
      static_cast<CFrameWnd*>(static_cast<CWnd*>(this))->CreateView(&context, kPreviewViewerId));
  if (SlideThumbnails != nullptr) SlideThumbnails->OnInitialUpdate();
  // The document fills the thumbnails as it loads the folder.
  if (document != nullptr) document->LoadImageFolder(folder);
  if (SlideThumbnails != nullptr) SlideThumbnails->ShowWindow(SW_SHOW);
  SendMessage(WM_SIZE, 0, 0);
  ::Sleep(500);
  if (document != nullptr) document->DeleteFolderFiles(folder);
  ::RemoveDirectoryW(folder);
}
