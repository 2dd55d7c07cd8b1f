// The toolkit's report list: a list-view control with the shared list
// behaviour, its cells coloured through custom draw and painted through an
// off-screen buffer.
#pragma once

#include "framework.h"
#include "list_common.h"

class CTkListCtrl : public CListCtrl, public CTkListCommon {
  DECLARE_DYNAMIC(CTkListCtrl)
 public:
  CTkListCtrl();
  ~CTkListCtrl() override;

  // The shared behaviour's, which add to the control's style.
  DWORD SetExtendedStyle(DWORD style) override { return CTkListCommon::SetExtendedStyle(style); }
  DWORD GetExtendedStyle() const override { return CTkListCommon::GetExtendedStyle(); }

  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    return CTkListCommon::OnNotify(wParam, lParam, pResult);
  }

  // The list as WM_PAINT shows it, drawn off-screen and copied to pDC.
  void PaintBuffered(CDC* pDC);

  // 1 until the window is created here: a control taken over from a
  // dialog is initialised when it is subclassed.
  BYTE m_bCreatedHere = 1;

 protected:
  void PreSubclassWindow() override;
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnDestroy();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  afx_msg void OnPaint();
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSettingChange(UINT flags, LPCWSTR section);
  DECLARE_MESSAGE_MAP()
};
