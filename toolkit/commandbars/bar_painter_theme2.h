// The gradient looks of the command bars: theme 2, and theme 4 with other
// colours and slim separators. Both keep the flat look's menus, fields,
// icons and shadows and paint bars, dock bars, grippers, separators,
// tear-off strips, expand buttons and status-bar parts with gradients.
// Under the Windows XP blue, olive and silver schemes fixed palettes
// replace the colours derived from the system's.
#pragma once

#include "bar_painter_theme1.h"
#include "corner_pixels.h"
#include "ux_theme.h"

class CTkBarPainterTheme2 : public CTkBarPainterTheme1 {
  DECLARE_DYNCREATE(CTkBarPainterTheme2)

 public:
  CTkBarPainterTheme2();
  ~CTkBarPainterTheme2() override;

  void FillCommandBar(CDC* pDC, CTkCommandBar* bar) override;
  void DrawControlFrame(CDC* pDC, CRect rect, BOOL selected, BOOL pressed, BOOL enabled, BOOL checked,
                        BOOL popupOpen, BOOL toolBar, int barPosition) override;
  CSize DrawGripper(CDC* pDC, CTkCommandBar* bar, BOOL draw) override;
  CSize DrawSeparator(CDC* pDC, CTkCommandBar* bar, CTkControl* control, BOOL draw) override;
  void DrawStatusBarPaneBorder(CDC* pDC, CRect rect, BOOL last) override;
  void DrawStatusBarGripper(CDC* pDC, int left, int top, int right, int bottom) override;
  void FillDockBar(CDC* pDC, CWnd* pWnd) override;
  void UpdateFontsAndColors() override;
  CSize DrawSpecialControl(CDC* pDC, int kind, CTkControl* control, CTkCommandBar* bar, BOOL draw,
                           void* extra) override;
  CRect GetCommandBarBorders(CTkCommandBar* bar) const override;
  CSize DrawTearOffStrip(CDC* pDC, CRect rect, BOOL selected, BOOL draw) override;
  CSize DrawFixedGripper(CDC* pDC, BOOL draw) override;
  int GetThemeFamily() const override { return 2; }
  void FillIconStrip(CDC* pDC, int x, int y, int width, int height, BOOL expanded) override;

  // Floating bars that could dock are painted with the bar gradient.
  virtual BOOL IsGradientFloatingBar(CTkCommandBar* bar) const;

  // The shade of the round button's pixel (x, y): 255 transparent, else
  // the weight of the gradient's first colour out of 255.
  static BYTE RoundButtonShade(int x, int y);

  CTkGradientColor m_dockGradient;
  CTkGradientColor m_barGradient;
  CTkGradientColor m_expandGradient;
  CTkGradientColor m_roundButtonGradient;
  CTkGradientColor m_expandedStripGradient;
  CTkGradientColor m_openControlGradient;
  CTkColorValue m_barShadowColor;
  CTkColorValue m_captionColor;
  CTkColorValue m_statusBorderColor;
  CTkColorValue m_tearOffColor;
  BOOL m_bPaletteActive = FALSE;
  BOOL m_bSlimSeparators = FALSE;
  CTkUxThemeHandle m_statusStyle;
  CImageList m_roundButtonImages;
  CTkGradientColor m_checkedGradient;
  CTkGradientColor m_pressedGradient;
  CTkGradientColor m_hotGradient;

 protected:
  void RebuildRoundButtonImage();
  void FillGradient(CDC* pDC, const CRect& rect, const CTkGradientColor& color, BOOL horizontal,
                    LPCRECT clip = nullptr);

 private:
  void FillDockedToolBar(CDC* pDC, CTkCommandBar* bar, const CRect& client);
  void FillFloatingBar(CDC* pDC, CTkCommandBar* bar, const CRect& client);
  void DrawExpandButton(CDC* pDC, CTkControl* control, CTkCommandBar* bar, BOOL hiddenControls);
  // The colour-43 double frame and its corner pixels.
  void DrawDoubleFrame(CDC* pDC, const CRect& client);
};

class CTkBarPainterTheme4 : public CTkBarPainterTheme2 {
  DECLARE_DYNCREATE(CTkBarPainterTheme4)

 public:
  CTkBarPainterTheme4();

  void UpdateFontsAndColors() override;
  int GetThemeFamily() const override { return 4; }
};
