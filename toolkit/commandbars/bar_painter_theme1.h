// The flat look of the command bars (theme 1): light tool bars with
// rounded corners, hot and pressed controls as filled rectangles with a
// one-pixel border, a shaded strip behind menu icons, drop shadows under
// popups, and an open menu that merges with the button that opened it.
// Every colour is a toolkit colour (30-61) of the colour scheme, so the
// look follows the user's colour settings. The gradient looks build on it.
#pragma once

#include "bar_painter.h"

class CTkBarPainterTheme1 : public CTkBarPainter {
  DECLARE_DYNCREATE(CTkBarPainterTheme1)

 public:
  CTkBarPainterTheme1();

  CSize DrawControlInPopupBar(CDC* pDC, CTkControl* control, BOOL draw) override;
  CSize DrawComboBoxControl(CDC* pDC, CTkControl* control, BOOL draw) override;
  CSize DrawEditControl(CDC* pDC, CTkControl* control, BOOL draw) override;
  CSize DrawCommandListItem(CDC* pDC, CTkControl* control, CRect rect, BOOL selected, BOOL draw,
                            CTkImageManager* images) override;
  void FillCommandBar(CDC* pDC, CTkCommandBar* bar) override;
  void DrawControlFace(CDC* pDC, CRect rect, BOOL enabled, BOOL selected, BOOL pressed, BOOL checked,
                       BOOL popupOpen, int barPosition) override;
  void DrawControlFrame(CDC* pDC, CRect rect, BOOL selected, BOOL pressed, BOOL enabled, BOOL checked,
                        BOOL popupOpen, BOOL toolBar, int barPosition) override;
  CSize DrawGripper(CDC* pDC, CTkCommandBar* bar, BOOL draw) override;
  CSize DrawSeparator(CDC* pDC, CTkCommandBar* bar, CTkControl* control, BOOL draw) override;
  void AdjustControlRect(CRect& rect, CTkControl* control, BOOL vertical) override;
  void DrawStatusBarPaneBorder(CDC* pDC, CRect rect, BOOL last) override;
  BOOL HasPopupShadow() const override { return TRUE; }
  CSize DrawTearOffStrip(CDC* pDC, CRect rect, BOOL selected, BOOL draw) override;
  void DrawControlIcon(CDC* pDC, int x, int y, int width, int height, CTkImageIcon* icon, BOOL selected,
                       BOOL pressed, BOOL enabled, BOOL checked, BOOL popupOpen, BOOL toolBar) override;
  CSize DrawFixedGripper(CDC* pDC, BOOL draw) override;
  int GetThemeFamily() const override { return 1; }

  // The strip behind the icons of a menu; expanded: behind the rarely used
  // rows shown after the menu was expanded.
  virtual void FillIconStrip(CDC* pDC, int x, int y, int width, int height, BOOL expanded);

  // The icon column of a popup bar, strip border included.
  int GetIconColumnWidth(CTkCommandBar* bar) const;

 protected:
  // The floating bar's caption in a colour.
  CSize DrawFloatingCaption(CDC* pDC, CTkCommandBar* bar, BOOL draw, COLORREF fill);
  // The part of a popup over the control that opened it, in client
  // coordinates; empty when there is none.
  static CRect GetOpeningOverlap(CTkCommandBar* popup);
  // The double frame and corner pixels of a floating bar in colour 43.
  void DrawFloatingFrame(CDC* pDC, const CRect& client, int fill);
  CSize DrawFieldControl(CDC* pDC, CTkControl* control, BOOL draw, BOOL combo);
};
