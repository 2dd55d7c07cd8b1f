// CToolButton: the 34 x 34 picture button of the wizard's button bars: a
// normal and a hover picture, hand cursors and a plain tooltip.
#pragma once

#include "picture_button.h"

class CToolButton : public CBitmapButton {
  DECLARE_DYNAMIC(CToolButton)
 public:
  CToolButton() = default;
  ~CToolButton() override;

  BOOL SetStateBitmaps(UINT nNormalId, UINT nHoverId) { return m_parts.SetStateBitmaps(this, nNormalId, nHoverId); }
  // Call after SetStateBitmaps: the tool covers the client area as it is
  // then. A second call replaces the text of the one tool.
  void SetTipText(const CString* pText, BOOL bActivate);

  BOOL PreTranslateMessage(MSG* pMsg) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override { m_parts.Draw(lpDIS); }

  const PictureButtonParts& Parts() const { return m_parts; }
  CToolTipCtrl& ToolTip() { return m_toolTip; }

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnMouseHover(UINT nFlags, CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  void EnsureToolTip();

  PictureButtonParts m_parts;
  CToolTipCtrl m_toolTip;
};
