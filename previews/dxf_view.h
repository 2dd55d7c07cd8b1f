// The drawing exchange viewer of the preview pane: the drawing library
// loads, fits and paints the drawing on a surface the user zooms with the
// wheel and pans by dragging with the left or middle button. Without the
// library the file is reported as not shown.
#pragma once

#include "dxf_drawing.h"
#include "framework.h"

// The surface's control id.
constexpr UINT kDxfSurfaceId = 61464;

class CDxfDrawCtrl : public CStatic {
 public:
  CDxfDrawing* Drawing = nullptr;  // not owned
  int LastX = 0;
  int LastY = 0;
  BYTE Dragging = 0;

 protected:
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT, CPoint point) { OnButtonDown(point); }
  afx_msg void OnMButtonDown(UINT, CPoint point) { OnButtonDown(point); }
  afx_msg void OnLButtonUp(UINT, CPoint) { OnButtonUp(); }
  afx_msg void OnMButtonUp(UINT, CPoint) { OnButtonUp(); }
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  void OnButtonDown(CPoint point);
  void OnButtonUp();
};

class CDFXView : public CView {
  DECLARE_DYNCREATE(CDFXView)

 public:
  CDFXView();
  ~CDFXView() override;
  void OnDraw(CDC*) override {}

  CDxfDrawing Drawing;
  CDxfDrawCtrl Surface;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  DECLARE_MESSAGE_MAP()

 private:
  // Loads the file while the progress dialog is up; 1 when the library
  // took it.
  int LoadDrawing(const CString& path);
  void RepaintSurface();
};
