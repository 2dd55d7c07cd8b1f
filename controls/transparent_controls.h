// Controls that sit on a skinned parent without painting a box of their
// own, and the dialog shell that clips its siblings and children.
#pragma once

#include "framework.h"

class CTransparentStatic : public CStatic {
  DECLARE_DYNAMIC(CTransparentStatic)
 protected:
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()
};

class CTransparentButton : public CButton {
 protected:
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()
};

class CClipDialog : public CDialog {
 public:
  explicit CClipDialog(CWnd* pParentWnd = nullptr) { m_pParentWnd = pParentWnd; }
  // A dialog template does not pass through PreCreateWindow: the clip
  // styles are added once the window exists.
  BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr) override;
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr) override {
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
  }

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  DECLARE_MESSAGE_MAP()
};
