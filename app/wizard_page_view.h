// The base of the wizard's pages after the start page: white unless the
// page paints more, nothing erased, the button bar's commands passed to the
// shared handler.
#pragma once

#include "framework.h"

class CWizardPageView : public CView {
  DECLARE_DYNAMIC(CWizardPageView)

 public:
  void OnDraw(CDC* pDC) override;

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnBarCommand(UINT id);
  DECLARE_MESSAGE_MAP()
};
