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
  CSize DrawCommandListItem(CDC*, CTkControl*, CRect, BOOL, BOOL, CTkImageManager*) override { return CSize(0, 0); }
  void DrawControlFrame(CDC*, CRect, BOOL, BOOL, BOOL, BOOL, BOOL, BOOL, int) override {}
  CSize DrawGripper(CDC*, CTkCommandBar*, BOOL) override { return CSize(0, 0); }
  CSize DrawSeparator(CDC*, CTkCommandBar*, CTkControl*, BOOL) override { return CSize(0, 0); }
  void AdjustControlRect(CRect&, CTkControl*, BOOL) override {}
  CSize DrawTearOffStrip(CDC*, CRect, BOOL, BOOL) override { return CSize(0, 0); }
  CSize DrawFixedGripper(CDC*, BOOL) override { return CSize(0, 0); }
  int GetThemeFamily() const override { return 0; }
};
