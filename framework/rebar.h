// CReBar: a control bar over the common-controls rebar. Each band holds a
// child window; the bar takes its height from its bands in the frame's
// layout and has the frame laid out again when that height changes.
#pragma once

#include "frame_wnd.h"

class CReBar : public CControlBar {
  DECLARE_DYNAMIC(CReBar)
 public:
  ~CReBar() override;
  // dwCtrlStyle: RBS_* of the control; dwStyle: window and CBRS_* styles.
  BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
              DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
              UINT nID = AFX_IDW_REBAR);
  // A band holding pBar, with an optional text and background picture;
  // the band starts at the child's current size.
  BOOL AddBar(CWnd* pBar, LPCWSTR pszText = nullptr, CBitmap* pbmp = nullptr,
              DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
  int GetBandCount() const { return static_cast<int>(SendMessage(RB_GETBANDCOUNT)); }

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  // The bands' height changed: the frame lays its bars out again.
  afx_msg void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()
};
