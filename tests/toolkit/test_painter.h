// A paint manager whose look-specific drawing does nothing, for testing
// what every look shares.
#pragma once

#include "bar_painter.h"

class TestPainter : public CTkBarPainter {
 public:
  CSize DrawControlInPopupBar(CDC*, CTkControl*, BOOL) override { return CSize(0, 0); }
  CSize DrawComboBoxControl(CDC*, CTkControl*, BOOL) override { return CSize(0, 0); }
  CSize DrawEditControl(CDC*, CTkControl*, BOOL) override { return CSize(0, 0); }
  void FillCommandBar(CDC*, CTkCommandBar*) override {}
  void DrawControlFace(CDC*, CRect, BOOL, BOOL, BOOL, BOOL, BOOL, int) override {}
  void DrawControlIcon(CDC*, int, int, int, int, CTkImageIcon*, BOOL, BOOL, BOOL, BOOL, BOOL, BOOL) override {}
  int GetThemeFamily() const override { return 0; }
};
