// The look of theme 3, the one the program installs: bars, grippers, split
// buttons, combo boxes and the status bar drawn through the system's visual
// styles. Without styles it draws as the classic look, but for popup fills
// and menu text, which follow the system's menu colours.
#pragma once

#include "bar_painter_default.h"
#include "ux_theme.h"

class CTkBarPainterNative : public CTkBarPainterDefault {
  DECLARE_DYNCREATE(CTkBarPainterNative)

 public:
  CTkBarPainterNative();
  ~CTkBarPainterNative() override;

  void DrawSplitButton(CDC* pDC, CTkControl* control, const CRect& rect) override;
  void FillCommandBar(CDC* pDC, CTkCommandBar* bar) override;
  void DrawControlFrame(CDC* pDC, CRect rect, BOOL selected, BOOL pressed, BOOL enabled, BOOL checked,
                        BOOL popupOpen, BOOL toolBar, int barPosition) override;
  CSize DrawGripper(CDC* pDC, CTkCommandBar* bar, BOOL draw) override;
  void AdjustControlRect(CRect& rect, CTkControl* control, BOOL vertical) override;
  void DrawStatusBarPaneBorder(CDC* pDC, CRect rect, BOOL gripperPane) override;
  void DrawStatusBarGripper(CDC* pDC, int left, int top, int right, int bottom) override;
  void FillDockBar(CDC* pDC, CWnd* pWnd) override;
  void FillStatusBar(CDC* pDC, CWnd* pWnd) override;
  void UpdateFontsAndColors() override;
  CSize DrawFixedGripper(CDC* pDC, BOOL draw) override;
  int GetThemeFamily() const override { return 3; }
  void DrawEditFrame(CDC* pDC, CRect rect, BOOL enabled, BOOL selected) override;
  void DrawComboDropButton(CDC* pDC, CRect rect, BOOL enabled, BOOL selected, BOOL dropped) override;

  // The style is open and the application is themed.
  static BOOL IsStyled(CTkUxThemeHandle& style) { return style.GetHandle() != nullptr && style.IsAppThemed(); }

  CTkUxThemeHandle m_rebarStyle;
  CTkUxThemeHandle m_toolBarStyle;
  CTkUxThemeHandle m_comboStyle;
  CTkUxThemeHandle m_statusStyle;
  COLORREF m_barEdgeColor = 0;
  BOOL m_bFlatMenus = TRUE;

 private:
  void CloseStyles();
};
