// CPictureButton: what the tool and hover buttons share: a normal and a
// hover picture that size the button, the hand cursors and the hover and
// leave tracking. The two are separate classes on this base.
#pragma once

#include "framework.h"

class CPictureButton : public CBitmapButton {
 public:
  // Loads the hand cursors from the module that holds them.
  CPictureButton();

  // Loads both pictures from the application's instance with the 3-D
  // colours mapped and sizes the button to the normal one; always TRUE.
  BOOL SetStateBitmaps(UINT nNormalId, UINT nHoverId);
  // The hover picture while hovering or pushed (the user is over it),
  // else the normal one; nothing outside either bitmap is read.
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

  BOOL IsHovering() const { return m_bHovering; }
  HCURSOR GetHoverCursor() const { return m_hHoverCursor; }
  HCURSOR GetPressCursor() const { return m_hPressCursor; }

 protected:
  // A move with the pointer over the button while the program is active.
  virtual void OnPointerOver() {}
  // The pointer left the button.
  virtual void OnPointerLeft() {}

  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnMouseHover(UINT nFlags, CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL m_bHovering = FALSE;
  int m_nWidth = 0;
  int m_nHeight = 0;
  CBitmap m_normal;
  CBitmap m_hover;
  BOOL m_bTracking = FALSE;
  HCURSOR m_hHoverCursor = nullptr;
  HCURSOR m_hPressCursor = nullptr;
};
