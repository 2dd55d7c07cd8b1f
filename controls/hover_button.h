// CHoverButton: the start page's large picture button. It draws and tracks
// the mouse as the tool button does and writes a hint into a status window
// while the start page is active.
#pragma once

#include "picture_button.h"

// Whether the main frame's start page is active. The application shell
// installs the reader; without one the flag reads 0.
extern int (*StartPageActiveReader)();

class CHoverButton : public CPictureButton {
  DECLARE_DYNAMIC(CHoverButton)
 public:
  CHoverButton() = default;

  CWnd* StatusWindow = nullptr;
  CString Description;

 protected:
  void OnPointerOver() override;
  void OnPointerLeft() override;

 private:
  BOOL CanWriteHint() const;
  BOOL NextButtonHasWritten() const;

  BOOL m_bEntered = TRUE;
};
