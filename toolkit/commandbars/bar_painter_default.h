// The classic look of the command bars (theme 0): one-pixel raised and
// sunken bevels in the system colours, a dithered face for checked
// buttons and solid highlight bars in menus. The native look derives from
// it and falls back to it wherever visual styles are off.
#pragma once

#include "bar_painter.h"

class CTkBarPainterDefault : public CTkBarPainter {
  DECLARE_DYNCREATE(CTkBarPainterDefault)

 public:
  CTkBarPainterDefault();

  CSize DrawControlInPopupBar(CDC* pDC, CTkControl* control, BOOL draw) override;
  void DrawSplitButton(CDC* pDC, CTkControl* control, const CRect& rect) override;
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
  CSize DrawSpecialControl(CDC* pDC, int kind, CTkControl* control, CTkCommandBar* bar, BOOL draw,
                           void* extra) override;
  CRect GetCommandBarBorders(CTkCommandBar* bar) const override;
  CSize DrawTearOffStrip(CDC* pDC, CRect rect, BOOL selected, BOOL draw) override;
  void DrawControlIcon(CDC* pDC, int x, int y, int width, int height, CTkImageIcon* icon, BOOL selected,
                       BOOL pressed, BOOL enabled, BOOL checked, BOOL popupOpen, BOOL toolBar) override;
  CSize DrawFixedGripper(CDC* pDC, BOOL draw) override;
  int GetThemeFamily() const override { return 0; }

  // The frame of an edit or combo field.
  virtual void DrawEditFrame(CDC* pDC, CRect rect, BOOL enabled, BOOL selected);
  virtual void DrawComboDropButton(CDC* pDC, CRect rect, BOOL enabled, BOOL selected, BOOL dropped);
  // A caption, embossed when disabled; measuring returns the text's size.
  virtual CSize DrawItemText(CDC* pDC, const CString& text, CRect rect, UINT format, BOOL draw, BOOL selected,
                             BOOL enabled);

  // The menu-row columns: the icon column's width and the row's height.
  void GetPopupColumns(CTkControl* control, int& columnWidth, int& rowHeight) const;

  int m_menuTextColor = COLOR_BTNTEXT;

 protected:
  // The floating frame: an outer bevel to the dark shadow, a raised one inside.
  void DrawFloatingFrame(CDC* pDC, const CRect& client);
  // What the edit and combo drawing share: fonts, label, size.
  CSize DrawFieldControl(CDC* pDC, CTkControl* control, BOOL draw, BOOL combo);
};
