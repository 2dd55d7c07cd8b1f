// The two web viewers of the preview pane: the system's WebBrowser control
// with a transparent child dialog over it, and the program's own HTML
// browser in a page window above a status bar.
#pragma once

#include "framework.h"
#include "html_view.h"

class CClipDialog;
class CHtmlBrowser;

// The pane navigates it to the file itself.
class CHtml_View : public CHtmlView {
  DECLARE_DYNCREATE(CHtml_View)

 public:
  ~CHtml_View() override;
  // Document changes do not concern a page the browser shows.
  void OnUpdate(CView*, LPARAM, CObject*) override {}

  CClipDialog* m_dialog = nullptr;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  DECLARE_MESSAGE_MAP()
};

// The web view's dialog stays this far short of its right and bottom edges.
constexpr int kWebPanelMargin = 8;

// Shows the document's preview file through "file://" and the path.
class CCustomHTMLViewer : public CView {
  DECLARE_DYNCREATE(CCustomHTMLViewer)

 public:
  ~CCustomHTMLViewer() override;
  void OnDraw(CDC*) override {}

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};

// The status bar's height at the HTML viewer's bottom.
constexpr int kHtmlStatusHeight = 20;

// There is one HTML viewer at a time: its page window, status bar and
// browser.
extern HWND HtmlPageWindow;
extern HWND HtmlStatusBar;
extern CHtmlBrowser* HtmlViewerBrowser;
