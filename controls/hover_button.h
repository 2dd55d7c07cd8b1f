// CHoverButton: the start page's large picture button. It draws and tracks
// the mouse as the tool button does and writes a hint into a status window
// while the start page is active.
#pragma once

#include "picture_button.h"

// Whether the main frame's start page is active. The application shell
// installs the reader; without one the flag reads 0.
extern int (*StartPageActiveReader)();

class CHoverButton : public CBitmapButton {
  DECLARE_DYNAMIC(CHoverButton)
 public:
  CHoverButton() = default;

  BOOL SetStateBitmaps(UINT nNormalId, UINT nHoverId) { return m_parts.SetStateBitmaps(this, nNormalId, nHoverId); }
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override { m_parts.Draw(lpDIS); }

  const PictureButtonParts& Parts() const { return m_parts; }

  CWnd* StatusWindow = nullptr;
  CString Description;

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnMouseHover(UINT nFlags, CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL StartPageActive() const;

  PictureButtonParts m_parts;
  BOOL m_bEntered = TRUE;
};
