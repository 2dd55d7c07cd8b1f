#include "html_views.h"

#include <commctrl.h>

#include "html_browser_win32.h"
#include "preview_state.h"
#include "resource.h"
#include "shell_document.h"
#include "transparent_controls.h"

IMPLEMENT_DYNCREATE(CHtml_View, CHtmlView)
IMPLEMENT_DYNCREATE(CCustomHTMLViewer, CView)

BEGIN_MESSAGE_MAP(CHtml_View, CHtmlView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CCustomHTMLViewer, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
END_MESSAGE_MAP()

HWND HtmlPageWindow = nullptr;
HWND HtmlStatusBar = nullptr;
CHtmlBrowser* HtmlViewerBrowser = nullptr;

CHtml_View::~CHtml_View() {
  delete m_dialog;
  m_dialog = nullptr;
}

int CHtml_View::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CHtmlView::OnCreate(lpcs) == -1) return -1;
  m_dialog = new CClipDialog(this);
  if (m_dialog->Create(IDD_WEB_VIEW_PANEL, this)) m_dialog->ShowWindow(SW_SHOW);
  return 0;
}

void CHtml_View::OnSize(UINT nType, int cx, int cy) {
  CHtmlView::OnSize(nType, cx, cy);
  if (m_dialog == nullptr || !::IsWindow(m_dialog->GetSafeHwnd())) return;
  CRect client;
  GetClientRect(&client);
  const int width = client.Width() > kWebPanelMargin ? client.Width() - kWebPanelMargin : 0;
  const int height = client.Height() > kWebPanelMargin ? client.Height() - kWebPanelMargin : 0;
  m_dialog->MoveWindow(client.left, client.top, width, height, TRUE);
  m_dialog->Invalidate(TRUE);
  m_dialog->UpdateWindow();
  m_dialog->SetFocus();
}

void CHtml_View::OnShowWindow(BOOL, UINT) { Default(); }

namespace {

// The page window's messages all go to the browser once it exists.
INT_PTR CALLBACK HtmlPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (HtmlViewerBrowser == nullptr) return 0;
    return static_cast<INT_PTR>(HtmlViewerBrowser->HandleViewMessage(window, message, wParam, lParam));
  } catch (...) {
    return 0;
  }
}

}  // namespace

int CCustomHTMLViewer::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  HtmlPageWindow = nullptr;
  HtmlStatusBar = nullptr;
  CString url = L"file://";
  if (CEx_StyleDoc* document = PreviewDocument(GetDocument())) url += document->PreviewPath;
  HtmlPageWindow = ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDD_HTML_PAGE), m_hWnd,
                                        HtmlPageProc, 0);
  if (HtmlPageWindow != nullptr) ::ShowWindow(HtmlPageWindow, SW_SHOW);
  HtmlStatusBar = ::CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", m_hWnd, 0);
  // Without a page window the browser would draw into no window at all.
  if (HtmlPageWindow == nullptr) return 0;
  HtmlViewerBrowser = new CHtmlBrowser(HtmlPageWindow, m_hWnd, HtmlStatusBar, nullptr, nullptr);
  HtmlViewerBrowser->Navigate(reinterpret_cast<const char16_t*>(static_cast<LPCWSTR>(url)));
  return 0;
}

void CCustomHTMLViewer::OnSize(UINT, int, int) {
  CRect client;
  GetClientRect(&client);
  if (HtmlStatusBar != nullptr)
    ::MoveWindow(HtmlStatusBar, 0, client.bottom - kHtmlStatusHeight, client.Width(), kHtmlStatusHeight, TRUE);
  const int pageHeight = client.Height() > kHtmlStatusHeight ? client.Height() - kHtmlStatusHeight : 0;
  if (HtmlPageWindow != nullptr) ::MoveWindow(HtmlPageWindow, 0, 0, client.Width(), pageHeight, TRUE);
  if (HtmlStatusBar != nullptr) ::InvalidateRect(HtmlStatusBar, nullptr, TRUE);
  Default();
}

CCustomHTMLViewer::~CCustomHTMLViewer() {
  if (HtmlPageWindow != nullptr && ::IsWindow(HtmlPageWindow)) ::DestroyWindow(HtmlPageWindow);
  HtmlPageWindow = nullptr;
  delete HtmlViewerBrowser;
  HtmlViewerBrowser = nullptr;
}
