// A view that is the system's WebBrowser control: hosted through the
// control container, kept at the view's client size and navigated through
// the control's IWebBrowser2. The control goes with the view's window, so
// that nothing it started (a spreadsheet server for workbooks) outlives
// the view.
#pragma once

#include <exdisp.h>

#include "view.h"

class CHtmlView : public CView {
  DECLARE_DYNCREATE(CHtmlView)

 public:
  void OnDraw(CDC*) override {}

  // Opens url in the control. Post data goes as bytes; a null target,
  // header text or post data is left out. E_UNEXPECTED without a control.
  HRESULT Navigate2(LPCWSTR url, DWORD flags = 0, LPCWSTR targetFrameName = nullptr, const void* postData = nullptr,
                    DWORD postDataLength = 0, LPCWSTR headers = nullptr);

  CWnd m_wndBrowser;
  IWebBrowser2* m_pBrowserApp = nullptr;

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()
};
