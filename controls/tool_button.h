// CToolButton: the 34 x 34 picture button of the wizard's button bars: a
// normal and a hover picture, hand cursors and a plain tooltip.
#pragma once

#include "picture_button.h"

class CToolButton : public CPictureButton {
  DECLARE_DYNAMIC(CToolButton)
 public:
  CToolButton() = default;
  ~CToolButton() override;

  // Call after SetStateBitmaps: the tool covers the client area as it is
  // then. A second call replaces the text of the one tool; null does nothing.
  void SetTipText(const CString* pText, BOOL bActivate);

  BOOL PreTranslateMessage(MSG* pMsg) override;

  CToolTipCtrl& ToolTip() { return m_toolTip; }

 private:
  void EnsureToolTip();

  CToolTipCtrl m_toolTip;
};
