// The button editor's colour swatches and its preview at actual size.
#pragma once

#include "framework.h"

class CTkButtonEditorDlg;

// A colour the user picks by a click, which is told to the parent as
// NM_CLICK from the swatch's id.
class CTkImageEditorPicker : public CStatic {
  DECLARE_DYNAMIC(CTkImageEditorPicker)
 public:
  CTkImageEditorPicker() = default;

  COLORREF GetColor() const { return m_color; }
  void SetColor(COLORREF color);
  BOOL IsSelected() const { return m_bSelected; }
  void SetSelected(BOOL selected);

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  COLORREF m_color = 0;
  BOOL m_bSelected = FALSE;
};

class CTkButtonEditorPreview : public CStatic {
  DECLARE_DYNAMIC(CTkButtonEditorPreview)
 public:
  CTkButtonEditorPreview() = default;
  void SetDialog(CTkButtonEditorDlg* dialog) { m_pDialog = dialog; }
  void SetPictureSize(int width, int height) {
    m_nPictureWidth = width;
    m_nPictureHeight = height;
  }

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  CTkButtonEditorDlg* m_pDialog = nullptr;
  int m_nPictureWidth = 16;
  int m_nPictureHeight = 16;
};
