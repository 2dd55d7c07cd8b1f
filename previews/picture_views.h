// The picture viewers of the preview pane: raster pictures through the
// program's picture class, icons and metafiles through the system's OLE
// picture object.
#pragma once

#include <ocidl.h>
#include <olectl.h>

#include "framework.h"

// Where a picture of width x height is drawn in a view whose client area
// ends at right: 200 wide, centred, its height from the single-precision
// ratio, the top computed for a 120-pixel band.
CRect ImageViewPlacement(int right, UINT width, UINT height);

class CImage_View : public CView {
  DECLARE_DYNCREATE(CImage_View)

 public:
  void OnDraw(CDC* pDC) override;
  void OnUpdate(CView*, LPARAM, CObject*) override {}

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  DECLARE_MESSAGE_MAP()
};

class CTextView : public CView {
  DECLARE_DYNCREATE(CTextView)

 public:
  ~CTextView() override;
  void OnDraw(CDC* pDC) override;
  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

  int m_width = 0;
  int m_height = 0;
  long m_himetricWidth = 0;
  long m_himetricHeight = 0;
  IPicture* m_picture = nullptr;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  DECLARE_MESSAGE_MAP()
};
