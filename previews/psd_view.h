// The Photoshop viewer of the preview pane: the file decoded once, at the
// view's creation, and stretched over the whole view at every paint inside
// a black frame.
#pragma once

#include "framework.h"
#include "psd_reader.h"

// The frame's control id.
constexpr UINT kPsdFrameId = 61468;

class CPSDViewView : public CView {
  DECLARE_DYNCREATE(CPSDViewView)

 public:
  ~CPSDViewView() override;
  void OnDraw(CDC* pDC) override;
  void OnUpdate(CView*, LPARAM, CObject*) override { Invalidate(); }

  CPsdReader Reader;
  int LoadResult = -1;
  int PictureWidth = 0;
  int PictureHeight = 0;
  CStatic Frame;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnHScroll(UINT, UINT, CScrollBar*) {}
  afx_msg void OnVScroll(UINT, UINT, CScrollBar*) {}
  DECLARE_MESSAGE_MAP()

 private:
  HBITMAP m_picture = nullptr;  // handed over by the reader: the view's
};
