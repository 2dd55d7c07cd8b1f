// The edit window of a field control in a bar: it passes the bar's tips
// on, takes clicks while the bars are customized, opens its context menu
// and tells its control of text, focus and its end.
#pragma once

#include "edit_window.h"

class CTkCommandBar;
class CTkControl;

class CTkBarFieldWnd : public CTkEdit {
 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  // The control, or null once it let the window go.
  virtual CTkControl* GetFieldControl() const = 0;
  virtual void OnFieldTextChanged() = 0;
  virtual void OnFieldDestroyed() = 0;
  virtual void OnFieldSetFocus(HWND oldFocus) = 0;
  // Called while the control is still known.
  virtual void OnFieldKillFocus(HWND newFocus) = 0;
  // TRUE when the focus comes back within an editing already under way.
  virtual BOOL IsEditingUnderWay() const { return FALSE; }
  // Before the context menu and when the shell's drop-down appears.
  virtual void OnFieldMenu(CTkCommandBar* /*bar*/) {}
  virtual void OnAutoCompleteShown(CTkCommandBar* /*bar*/) {}
};
