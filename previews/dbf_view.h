// The dBASE viewer of the preview pane: the table read straight from the
// file into a report list, an "Index" column first.
#pragma once

#include "framework.h"

// The list's control id.
constexpr UINT kDbfListId = 186;

class CDBF_View : public CView {
  DECLARE_DYNCREATE(CDBF_View)

 public:
  ~CDBF_View() override;
  void OnDraw(CDC*) override {}

  CListCtrl* List = nullptr;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};
